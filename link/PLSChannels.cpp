#include "PLSChannels.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "LinkExchangeText.h"

namespace {

// Link modes of the PLS commands; they only decide whether the handshake is repeated.
constexpr int ChannelMode = 3;
constexpr int ReadWordMode = 4;
constexpr int WriteWordMode = 5;
constexpr int ConfigBlockMode = 7;
constexpr int ConfigReadMode = 8;
constexpr int RecallMode = 9;

constexpr int Ready = 0x00;
constexpr int MaxByte = 255;
constexpr int MaxWord = 65535;
constexpr int MaxRecallHighByte = 16;

const QString Paragraph = QStringLiteral("\r\n\r\n");
const QString WarningTitle = QStringLiteral("WARNING - Communication Error!");
const QString SingleSetpointTitle = QStringLiteral("PLS Single Setpoint");
const QString PulseTrainTitle = QStringLiteral("PLS Pulse Train");
const QString PulseTrainRefused = QStringLiteral("PLS Channel will not be Programmed.");

} // namespace

// ---------------------------------------------------------------------------------------------
// Workers

bool PLSChannels::startCommand(int mode, int command) {
    link_.resetLinkMode();
    return link_.SetPLCMode(mode, command) && !link_.commError();
}

bool PLSChannels::sendAcknowledged(int value) {
    const int answer = link_.TransferByte(value & 0xFF, false, false);
    if (answer != LinkSession::Acknowledge && answer != LinkSession::NoByte)
        link_.watch().note(LinkExchange::WrongAcknowledge);
    return answer == LinkSession::Acknowledge && !link_.commError();
}

int PLSChannels::poll() {
    return link_.TransferByte(LinkSession::Acknowledge, false, false);
}

bool PLSChannels::sendRecord(const QByteArray& bytes) {
    for (char byte : bytes) {
        if (!sendAcknowledged(static_cast<unsigned char>(byte)))
            return false;
    }
    return true;
}

bool PLSChannels::finishWrite() {
    const bool ready = !link_.commError() && WaitPLSReady();
    link_.resetLinkMode();
    return ready;
}

long PLSChannels::ReadPLSWord(int command) {
    LinkWatch::Scope scope(link_.watch(), [&] { return LinkExchangeText::plsWordRead(command); });
    long result = ReadFailed;
    if (startCommand(ReadWordMode, command)) {
        const int low = poll();
        if (low != LinkSession::NoByte && !link_.commError()) {
            const int high = poll();
            if (high != LinkSession::NoByte && !link_.commError()) {
                result = high * 256L + low;
                scope.result(QString::number(result));
            }
        }
    }
    link_.resetLinkMode();
    return result;
}

bool PLSChannels::WritePLSWord(int command, long value) {
    LinkWatch::Scope scope(link_.watch(),
                           [&] { return LinkExchangeText::plsWordWrite(command, value); });
    QByteArray word;
    word.append(static_cast<char>(value & 0xFF));
    word.append(static_cast<char>((value >> 8) & 0xFF));
    const bool sent = startCommand(WriteWordMode, command) && sendRecord(word);
    if (!sent) {
        link_.resetLinkMode();
        return false;
    }
    return finishWrite();
}

bool PLSChannels::SendPLSChannel(int command, int channel, int a, int b, int flag) {
    LinkWatch::Scope scope(
        link_.watch(), [&] { return LinkExchangeText::plsChannel(command, channel, a, b, flag); });
    QByteArray record;
    for (int value : {channel, a & 0xFF, (a >> 8) & 0xFF, b & 0xFF, (b >> 8) & 0xFF, flag})
        record.append(static_cast<char>(value & 0xFF));
    if (!startCommand(ChannelMode, command) || !sendRecord(record)) {
        link_.resetLinkMode();
        return false;
    }
    return finishWrite();
}

bool PLSChannels::WritePLSBlock(int command, const std::array<int, 6>& values) {
    LinkWatch::Scope scope(link_.watch(), [&] {
        const int* group =
            std::find(std::begin(ConfigGroupCommand), std::end(ConfigGroupCommand), command);
        return LinkExchangeText::plsConfigDownload(
            static_cast<int>(group - std::begin(ConfigGroupCommand)));
    });
    QByteArray block;
    for (int value : values)
        block.append(static_cast<char>(value & 0xFF));
    if (!startCommand(ConfigBlockMode, command) || !sendRecord(block)) {
        link_.resetLinkMode();
        return false;
    }
    return finishWrite();
}

bool PLSChannels::ReadPLSConfig(int command) {
    LinkWatch::Scope scope(link_.watch(), LinkExchangeText::plsConfigUpload);
    bool ok = startCommand(ConfigReadMode, command);
    // The failed poll's answer is stored too; the elements after it keep their values.
    for (int i = 0; ok && i < ConfigCount; ++i) {
        config_[i] = poll();
        ok = !link_.commError();
    }
    link_.resetLinkMode();
    return ok;
}

bool PLSChannels::ReadPLSChannel(int channel) {
    // The board gives a channel's setpoints one per recall, on then off.
    recallRun_ = channel == lastRecalled_ ? recallRun_ + 1 : 0;
    lastRecalled_ = channel;
    LinkWatch::Scope scope(link_.watch(), [&] {
        return LinkExchangeText::plsRecall(channel, recallRun_ % RecallSteps + 1);
    });
    if (!link_.SetPLCMode(RecallMode, RecallChan)) {
        link_.resetLinkMode();
        return false;
    }
    if (link_.commError()) {
        recallState_ = 2;
        recallPos_ = 0;
        return false;
    }
    const int answer = link_.TransferByte(channel & 0xFF, false, false);
    if (answer != LinkSession::Acknowledge) {
        if (answer != LinkSession::NoByte)
            link_.watch().note(LinkExchange::WrongAcknowledge);
        link_.resetLinkMode();
        return false;
    }
    const int state = poll();
    const int low = link_.commError() ? LinkSession::NoByte : poll();
    const int high = link_.commError() ? LinkSession::NoByte : poll();
    link_.resetLinkMode();
    if (link_.commError()) {
        recallState_ = 0;
        recallPos_ = 0;
        return false;
    }
    recallState_ = state;
    if (high > MaxRecallHighByte || low > MaxByte) {
        recallState_ = 2;
        recallPos_ = 0;
        return false;
    }
    recallPos_ = high * 256 + low;
    scope.result(QStringLiteral("state %1 position %2").arg(state).arg(recallPos_));
    return true;
}

bool PLSChannels::WaitPLSReady() {
    Clock& clock = link_.time();
    Clock::Micros deadline = clock.now() + Clock::fromSeconds(3.0);
    for (;;) {
        if (clock.now() > deadline) {
            const int answer = link_.watch().answered(link_.messages().ask(
                WarningTitle,
                QStringLiteral("Cannot Determine PLS READY Mode Within Target Board."),
                Prompter::Icon::Critical, Prompter::Buttons::RetryCancel));
            if (answer != Prompter::Retry) {
                link_.setCommError(true);
                return false;
            }
            deadline = clock.now() + Clock::fromSeconds(2.0);
        }
        if (link_.commError())
            return false;
        const int answer = link_.TransferByte(ReadyQuery, false, false);
        if (answer != LinkSession::Acknowledge) {
            if (answer != LinkSession::NoByte)
                link_.watch().note(LinkExchange::WrongAcknowledge);
            continue;
        }
        if (poll() == Ready) {
            poll();
            return true;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Operations

QString PLSChannels::wordText(long value) {
    return QString::number(value);
}

QString PLSChannels::PLSScaleFactor() {
    return wordText(ReadPLSWord(ReadScale));
}

QString PLSChannels::PLSOffset() {
    return wordText(ReadPLSWord(ReadOffset));
}

QString PLSChannels::PLSPos() {
    return wordText(ReadPLSWord(ReadPosition));
}

QString PLSChannels::PLSRpm() {
    return wordText(ReadPLSWord(ReadSpeed));
}

// A channel number or value the record cannot carry would otherwise be cut to its low bits
// on the wire and program the wrong channel or position.
bool PLSChannels::refuseUnsendable(const QString& title, const QString& what, long value,
                                   long max) {
    if (value >= 0 && value <= max)
        return false;
    link_.messages().ask(title,
                         QStringLiteral("%1 %2 is outside 0-%3.").arg(what).arg(value).arg(max) +
                             Paragraph + QStringLiteral("Nothing was sent to the board."),
                         Prompter::Icon::Exclamation, Prompter::Buttons::OK);
    return true;
}

bool PLSChannels::SingleSetpoint(int Chan, int OnSetpoint, int OffSetpoint, bool ClearChan) {
    if (link_.commError())
        return false;
    if (refuseUnsendable(SingleSetpointTitle, QStringLiteral("Channel"), Chan, MaxByte) ||
        refuseUnsendable(SingleSetpointTitle, QStringLiteral("Setpoint setting"), OnSetpoint,
                         MaxWord) ||
        refuseUnsendable(SingleSetpointTitle, QStringLiteral("Setpoint setting"), OffSetpoint,
                         MaxWord))
        return false;
    const long max = ReadPLSWord(ReadScale) - 1;
    if (link_.commError())
        return false;
    const int tooLarge = OnSetpoint > max ? OnSetpoint : OffSetpoint > max ? OffSetpoint : -1;
    if (tooLarge >= 0) {
        link_.messages().ask(
            SingleSetpointTitle,
            QStringLiteral("Setpoint setting %1 is greater than scale factor.").arg(tooLarge) +
                Paragraph + QStringLiteral("Channel can not be programmed."),
            Prompter::Icon::Exclamation, Prompter::Buttons::OK);
        return false;
    }
    if (ClearChan) {
        if (!SendPLSChannel(ChannelSetpoint, Chan, 0, 0, 0) || link_.commError())
            return false;
    }
    return SendPLSChannel(ChannelSetpoint, Chan, OnSetpoint, OffSetpoint, 1);
}

bool PLSChannels::PulseTrain(int Chan, int ON_Division, int OFF_Division, int START_Division) {
    if (refuseUnsendable(PulseTrainTitle, QStringLiteral("Channel"), Chan, MaxByte) ||
        refuseUnsendable(PulseTrainTitle, QStringLiteral("ON Division"), ON_Division, MaxWord) ||
        refuseUnsendable(PulseTrainTitle, QStringLiteral("OFF Division"), OFF_Division, MaxWord) ||
        refuseUnsendable(PulseTrainTitle, QStringLiteral("Start Position"), START_Division,
                         MaxWord))
        return false;
    const long scale = ReadPLSWord(ReadScale);
    if (link_.commError())
        return false;

    QString problem;
    if (ON_Division == 0 || OFF_Division == 0)
        problem = QStringLiteral("ON Division and OFF Division Must be Greater Than 0.");
    else if (scale % (ON_Division + OFF_Division) != 0)
        problem =
            QStringLiteral("ON Division Plus OFF Division\r\nMust be a Multiple of %1.").arg(scale);
    else if (ON_Division > MaxByte || OFF_Division > MaxByte)
        problem = QStringLiteral("ON Division or OFF Division Must be Less Than 255.");
    else if (START_Division > scale - 1)
        problem = QStringLiteral("Start Position Must Not Be Greater Than %1.").arg(scale - 1);
    if (!problem.isEmpty()) {
        link_.messages().ask(PulseTrainTitle, problem + Paragraph + PulseTrainRefused,
                             Prompter::Icon::Exclamation, Prompter::Buttons::OK);
        return false;
    }

    if (!SendPLSChannel(ChannelPulseTrain, Chan, START_Division, OFF_Division * 256 + ON_Division,
                        0)) {
        link_.messages().ask(PulseTrainTitle,
                             QStringLiteral("Error Encountered while Programming Pulse Train.") +
                                 Paragraph + PulseTrainRefused,
                             Prompter::Icon::Information, Prompter::Buttons::OK);
        return false;
    }
    return !link_.commError();
}

bool PLSChannels::ClearPLSChan(int Chan) {
    if (refuseUnsendable(QStringLiteral("PLS Clear Channel"), QStringLiteral("Channel"), Chan,
                         MaxByte))
        return false;
    return SendPLSChannel(ChannelSetpoint, Chan, 0, 0, 0);
}

bool PLSChannels::RecallChannel(int Chan) {
    if (refuseUnsendable(QStringLiteral("PLS Recall Channel"), QStringLiteral("Channel"), Chan,
                         MaxByte))
        return false;
    return ReadPLSChannel(Chan);
}

bool PLSChannels::SetPLSOffset(int Position) {
    const QString title = QStringLiteral("Set PLS Offset");
    const QString refused = QStringLiteral("PLS Offset will not be Programmed.");
    // Position never travels on the line, so any value is taken; only the new offset is sent.
    if (link_.commError())
        return false;
    const long offset = ReadPLSWord(ReadOffset);
    if (link_.commError())
        return false;
    const long position = ReadPLSWord(ReadPosition);
    if (link_.commError())
        return false;
    const long scale = ReadPLSWord(ReadScale);
    if (link_.commError())
        return false;
    if (Position > scale) {
        link_.messages().ask(
            title,
            QStringLiteral("Desired Position cannot be greater than Scale Factor of %1.")
                    .arg(scale) +
                Paragraph + refused,
            Prompter::Icon::Exclamation, Prompter::Buttons::OK);
        return false;
    }
    if (scale == 0) {
        // A board without a scale factor has no revolution to place the offset in.
        link_.messages().ask(title,
                             QStringLiteral("The PLS Scale Factor is 0.") + Paragraph + refused,
                             Prompter::Icon::Exclamation, Prompter::Buttons::OK);
        return false;
    }
    const std::int64_t wanted = (std::int64_t(offset) + position) % scale + scale - Position;
    const long newOffset = static_cast<long>((wanted % scale + scale) % scale);
    return WritePLSWord(WriteOffset, newOffset);
}

bool PLSChannels::PLSConfigDownload(const QVector<int>& CfgParam, int ScaleFactor) {
    const QString title = QStringLiteral("PLS Configuration Download");
    if (CfgParam.size() < DownloadCount) {
        link_.messages().ask(title,
                             QStringLiteral("%1 configuration values are needed, %2 were given.")
                                     .arg(DownloadCount)
                                     .arg(CfgParam.size()) +
                                 Paragraph + QStringLiteral("Nothing was sent to the board."),
                             Prompter::Icon::Exclamation, Prompter::Buttons::OK);
        return false;
    }
    for (int i = 0; i < DownloadCount; ++i) {
        if (refuseUnsendable(title, QStringLiteral("Configuration value %1 =").arg(i), CfgParam[i],
                             MaxByte))
            return false;
    }
    if (refuseUnsendable(title, QStringLiteral("Scale Factor"), ScaleFactor, MaxWord))
        return false;
    for (int group = 0; group < 4; ++group) {
        std::array<int, 6> values{};
        for (int i = 0; i < 6; ++i)
            values[i] = CfgParam[group * 6 + i];
        if (!WritePLSBlock(ConfigGroupCommand[group], values))
            return false;
    }
    return WritePLSWord(WriteScale, ScaleFactor);
}

QVector<int> PLSChannels::PLSConfigUpload() {
    configRead_ = ReadPLSConfig(ReadConfig);
    if (!configRead_)
        link_.messages().ask(QStringLiteral("PLS Upload"),
                             QStringLiteral("Not able to Upload Configuration from PLS."),
                             Prompter::Icon::Exclamation, Prompter::Buttons::OK);
    return QVector<int>(config_.begin(), config_.end());
}
