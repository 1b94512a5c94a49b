#pragma once

#include "TransferLink.h"

class RSComm;

// The program's one link, as the data transfer sees it.
class RSCommTransferLink final : public TransferLink {
public:
    explicit RSCommTransferLink(RSComm& link) : link_(link) {}

    bool OnlineMode() const override;
    bool CommError() const override;
    std::optional<QString> RSRead(const QString& Add) override;
    bool RSWrite(const QString& Add, const QString& DataValue) override;
    QVector<int> PLSConfigUpload() override;
    QString PLSScaleFactor() override;
    QString PLSOffset() override;
    bool RecallChannel(int Chan) override;
    int ChannelRecallState() const override;
    std::int32_t ChannelRecallPos() const override;
    bool PLSConfigDownload(const QVector<int>& CfgParam, int ScaleFactor) override;
    bool SingleSetpoint(int Chan, int OnSetpoint, int OffSetpoint, bool ClearChan) override;
    bool ClearPLSChan(int Chan) override;

private:
    RSComm& link_;
};
