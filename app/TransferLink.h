#pragma once

#include <QString>
#include <QVector>
#include <cstdint>
#include <optional>

// The link operations a whole-data transfer needs, with their failures made plain: the
// link's own "0" for a lost read is never mistaken for a value.
class TransferLink {
public:
    virtual ~TransferLink() = default;

    virtual bool OnlineMode() const = 0;
    virtual bool CommError() const = 0;

    // The value text, or empty when nothing was read (refused, or the answer was lost).
    virtual std::optional<QString> RSRead(const QString& Add) = 0;
    // False when the value was refused or did not reach the board.
    virtual bool RSWrite(const QString& Add, const QString& DataValue) = 0;

    // Empty when the configuration was not read.
    virtual QVector<int> PLSConfigUpload() = 0;
    virtual QString PLSScaleFactor() = 0;
    virtual QString PLSOffset() = 0;
    virtual bool RecallChannel(int Chan) = 0;
    virtual int ChannelRecallState() const = 0;
    virtual std::int32_t ChannelRecallPos() const = 0;
    virtual bool PLSConfigDownload(const QVector<int>& CfgParam, int ScaleFactor) = 0;
    virtual bool SingleSetpoint(int Chan, int OnSetpoint, int OffSetpoint, bool ClearChan) = 0;
    virtual bool ClearPLSChan(int Chan) = 0;
};
