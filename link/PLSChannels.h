#pragma once

#include <QString>
#include <QVector>
#include <array>
#include <cstdint>

#include "LinkSession.h"

// The programmable limit switch of the main module: its words, channels and configuration.
class PLSChannels {
public:
    static constexpr int ConfigCount = 19;
    static constexpr int DownloadCount = 24;
    static constexpr long ReadFailed = -9999;

    explicit PLSChannels(LinkSession& link) : link_(link) {}

    QString PLSScaleFactor();
    QString PLSOffset();
    QString PLSPos();
    QString PLSRpm();

    bool SingleSetpoint(int Chan, int OnSetpoint, int OffSetpoint, bool ClearChan = false);
    bool PulseTrain(int Chan, int ON_Division, int OFF_Division, int START_Division);
    bool ClearPLSChan(int Chan);
    bool RecallChannel(int Chan);
    int ChannelRecallState() const { return recallState_; }
    std::int32_t ChannelRecallPos() const { return recallPos_; }
    bool SetPLSOffset(int Position);
    bool PLSConfigDownload(const QVector<int>& CfgParam, int ScaleFactor);
    QVector<int> PLSConfigUpload();
    // Whether the last PLSConfigUpload read the configuration (its values are stale if not).
    bool ConfigRead() const { return configRead_; }

    // Command bytes of the board's PLS.
    enum Command : int {
        ReadScale = 24,
        ReadOffset = 40,
        ReadPosition = 72,
        ReadSpeed = 88,
        WriteOffset = 42,
        WriteScale = 26,
        ChannelSetpoint = 27,
        ChannelPulseTrain = 43,
        ReadConfig = 12,
        RecallChan = 6,
        ReadyQuery = 0x38,
    };
    static constexpr int ConfigGroupCommand[4] = {59, 75, 91, 107};

private:
    long ReadPLSWord(int command);
    bool WritePLSWord(int command, long value);
    bool SendPLSChannel(int command, int channel, int a, int b, int flag);
    bool WritePLSBlock(int command, const std::array<int, 6>& values);
    bool ReadPLSConfig(int command);
    bool ReadPLSChannel(int channel);
    bool WaitPLSReady();

    bool startCommand(int mode, int command);
    bool sendAcknowledged(int value);
    bool sendRecord(const QByteArray& bytes);
    bool finishWrite();
    int poll();
    bool refuseUnsendable(const QString& title, const QString& what, long value, long max);
    static QString wordText(long value);

    LinkSession& link_;
    std::array<int, ConfigCount> config_{};
    bool configRead_ = false;
    int recallState_ = 0;
    std::int32_t recallPos_ = 0;
    static constexpr int RecallSteps = 2;
    int lastRecalled_ = -1;
    int recallRun_ = 0;
};
