#include "RSComm.h"

#include <QCoreApplication>

#include "AddressRules.h"
#include "BoardTypes.h"
#include "CommSettings.h"
#include "DecimalText.h"
#include "FaultCodeFile.h"
#include "HexText.h"
#include "LinkExchangeText.h"
#include "SupportFolder.h"
#include "ValueRules.h"

namespace {

const QString CommWarningTitle = QStringLiteral("WARNING - Communication Error!");
const QString CannotCommunicateText =
    QStringLiteral("Cannot Communicate with Target Board.\rVerify RS-232 Cable is Connected "
                   "Between\rCOMM Port and PROG Port.");
const QString CannotSetModeText = QStringLiteral("Cannot Set PLC Mode Within Target Board.");
const QString LineLostText = QStringLiteral("The Connection to the COMM Port Was Lost.");
constexpr int TimeoutsBeforeAsking = 3;
constexpr int ReadMode = 1;
constexpr int WriteMode = 2;

} // namespace

RSComm::RSComm(QString applicationFolder, Clock& clock, Prompter& prompter)
    : appFolder_(std::move(applicationFolder)), clock_(clock), prompter_(prompter) {}

QString RSComm::CommSettingsFile() const {
    return CommSettings::path(appFolder_);
}

// ---------------------------------------------------------------------------------------------
// Lifecycle

bool RSComm::InitializeRSComm(SerialPort& CommObj) {
    CommSettings settings;
    for (;;) {
        settings = CommSettings();
        QString error;
        int errorNumber = CommSettings::FileAccessError;
        bool ok = true;
        const QString path = CommSettingsFile();
        switch (settings.read(path, &error)) {
        case CommSettings::ReadResult::Read:
            break;
        case CommSettings::ReadResult::Empty:
        case CommSettings::ReadResult::Missing:
            ok = settingsOverridden_ || settings.write(path, &error);
            break;
        case CommSettings::ReadResult::Failed:
            ok = settingsOverridden_;
            break;
        }
        if (settingsOverridden_) {
            settings.port = portOverride_.value_or(settings.port);
            settings.speed = speedOverride_.value_or(settings.speed);
            settings.clamp();
        }
        if (ok) {
            if (CommObj.isOpen())
                CommObj.close();
            CommObj.setPortNumber(settings.port);
            ok = CommObj.setSettings(settings.lineSettings());
            if (!ok) {
                errorNumber = CommObj.lastError().number;
                error = CommObj.lastError().description;
            }
        }
        if (ok)
            break;

        // Leave a usable file behind whatever went wrong; this write may fail too.
        if (!settingsOverridden_)
            settings.write(path, nullptr);
        const int answer = prompter_.ask(QStringLiteral("RSComm InitializeRSComm"),
                                         CommSettings::errorMessage(error, errorNumber),
                                         Prompter::Icon::Critical, Prompter::Buttons::RetryCancel);
        if (answer != Prompter::Retry) {
            OnlineMode = false;
            initFailed_ = true;
            return false;
        }
    }
    port_ = &CommObj;
    initFailed_ = false;
    return true;
}

void RSComm::overrideSettings(std::optional<int> port, std::optional<int> speed) {
    settingsOverridden_ = true;
    portOverride_ = port;
    speedOverride_ = speed;
}

void RSComm::OpenRSComm(SerialPort& CommObj) {
    BusyGuard guard(*this);
    if (!guard.entered()) {
        lastRefusal_ = QStringLiteral("the link is busy");
        return;
    }
    if (!InitializeRSComm(CommObj) || initFailed_) {
        OnlineMode = false;
        return;
    }
    if (!port_->open()) {
        const SerialPort::Error error = port_->lastError();
        port_->close();
        prompter_.ask(QStringLiteral("Comm Port Error"),
                      QStringLiteral("Error Number = %1\r\nError Source = %2\r\n\r\n%3")
                          .arg(error.number)
                          .arg(error.source, error.description),
                      Prompter::Icon::Critical, Prompter::Buttons::OK);
        CommError = true;
        OnlineMode = false;
        initFailed_ = true;
        return;
    }
    port_->discard();
    linkMode_ = 0;
    CommError = false;
    dropReported_ = false;
    {
        LinkWatch::Scope scope(watch_, LinkExchangeText::lineOpen);
        TransferByte(Attention, false, false);
    }
    OnlineMode = !CommError;
}

void RSComm::CloseRSComm() {
    BusyGuard guard(*this);
    if (!guard.entered()) {
        lastRefusal_ = QStringLiteral("the link is busy");
        return;
    }
    closeLine();
}

void RSComm::closeLine() {
    if (port_ && port_->isOpen()) {
        if (!CommError) {
            LinkWatch::Scope scope(watch_, LinkExchangeText::lineClose);
            TransferByte(Attention, false, false);
        }
        if (port_->isOpen())
            port_->close();
    }
    linkMode_ = 0;
    OnlineMode = false;
}

// ---------------------------------------------------------------------------------------------
// Byte exchange

int RSComm::TransferByte(int Data, bool NoReply, bool DiscardFirst) {
    if (CommError)
        return NoByte;
    if (DiscardFirst && port_ && port_->isOpen())
        port_->discard();
    if (!port_ || !port_->isOpen()) {
        linkMode_ = 0;
        CommError = true;
        return NoByte;
    }
    if (!sendByte(Data))
        return NoByte;
    CommErrorAlert = false;
    if (NoReply)
        return 0;
    if (wireWait_)
        wireWait_();

    Clock::Micros deadline = clock_.now() + Clock::fromSeconds(1.0);
    int timeouts = 0;
    for (;;) {
        const SerialPort::WaitResult wait = port_->waitForByte(clock_, deadline);
        if (wait == SerialPort::WaitResult::ByteReady)
            break;
        if (wait == SerialPort::WaitResult::LineDropped) {
            reportLineDropped();
            return NoByte;
        }
        if (clock_.now() < deadline)
            continue;

        linkMode_ = 0;
        CommError = true;
        CommErrorAlert = true;
        deadline = clock_.now() + Clock::fromSeconds(2.0);
        ++timeouts;
        watch_.note(LinkExchange::TimeOut);
        if (timeouts < TimeoutsBeforeAsking) {
            port_->discard();
            CommError = false;
            if (!sendByte(Attention))
                return NoByte;
            continue;
        }
        const int answer = watch_.answered(prompter_.ask(CommWarningTitle, CannotCommunicateText,
                                                         Prompter::Icon::Critical,
                                                         Prompter::Buttons::RetryCancel));
        if (answer != Prompter::Retry) {
            CommError = true;
            return NoByte;
        }
        if (!port_->isOpen()) {
            reportLineDropped();
            return NoByte;
        }
        timeouts = 0;
    }
    const int reply = port_->readByte();
    if (reply < 0) {
        reportLineDropped();
        return NoByte;
    }
    watch_.received(reply);
    // A reply after Retry ends the failure this exchange itself latched.
    CommError = false;
    CommErrorAlert = false;
    return reply;
}

bool RSComm::sendByte(int value) {
    watch_.sent(value);
    if (port_->send(QByteArray(1, static_cast<char>(value & 0xFF))))
        return true;
    reportLineDropped();
    return false;
}

void RSComm::reportLineDropped() {
    watch_.note(LinkExchange::LineLost);
    linkMode_ = 0;
    CommError = true;
    if (port_ && port_->isOpen())
        port_->close();
    if (dropReported_)
        return;
    dropReported_ = true;
    const QString reason = port_ ? port_->lastError().description : QString();
    prompter_.ask(CommWarningTitle,
                  reason.isEmpty() ? LineLostText : LineLostText + QStringLiteral("\r") + reason,
                  Prompter::Icon::Critical, Prompter::Buttons::OK);
}

bool RSComm::SetPLCMode(int Mode, int Command) {
    linkMode_ = 0;
    Clock::Micros deadline = clock_.now() + Clock::fromSeconds(2.0);
    bool answeredWrong = false;
    while (linkMode_ != Mode) {
        if (clock_.now() > deadline) {
            watch_.note(LinkExchange::WrongAcknowledge);
            const int answer = watch_.answered(prompter_.ask(CommWarningTitle, CannotSetModeText,
                                                             Prompter::Icon::Critical,
                                                             Prompter::Buttons::RetryCancel));
            if (answer != Prompter::Retry) {
                CommError = true;
                OnlineMode = false;
                closeLine();
                return false;
            }
            deadline = clock_.now() + Clock::fromSeconds(2.0);
        }
        const int r1 = TransferByte(Attention, false, true);
        if (r1 == NoByte)
            return false;
        if (r1 != Acknowledge) {
            answeredWrong = true;
            continue;
        }
        const int r2 = TransferByte(Command, false, false);
        if (r2 == NoByte)
            return false;
        if (r2 == Acknowledge) {
            linkMode_ = Mode;
        } else {
            answeredWrong = true;
            linkMode_ = 0;
        }
    }
    if (answeredWrong)
        watch_.note(LinkExchange::HandshakeRepeated);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Reads and writes

QString RSComm::ReadTarget(const QString& Add) {
    LinkWatch::Scope scope(watch_, [&] { return LinkExchangeText::read(Add); });
    if (linkMode_ != ReadMode) {
        if (!SetPLCMode(ReadMode, ReadCommand))
            return {};
        cached_ = TargetAddress::ParseAddress(Add);
    } else if (Add.compare(lastAdd_, Qt::CaseInsensitive) != 0) {
        cached_ = TargetAddress::ParseAddress(Add);
    }
    lastAdd_ = Add;

    const int count = cached_.byteCount();
    QByteArray data(count, '\0');
    for (int i = 0; i < count; ++i) {
        const int address = cached_.address + i;
        const int high = (address >> 8) & 0xFF;
        const int echo = TransferByte(high, false, false);
        if (echo == NoByte)
            return {};
        if (echo != high) {
            watch_.note(LinkExchange::WrongEcho);
            linkMode_ = 0;
            return {};
        }
        const int value = TransferByte(address & 0xFF, false, false);
        if (value == NoByte)
            return {};
        data[i] = static_cast<char>(value);
    }
    const QString value = QString::number(ValueRules::composeValue(cached_, data));
    scope.result(value);
    return value;
}

bool RSComm::WriteTarget(const QString& Add, const QString& DataValue) {
    writeVerifyFailed_ = false;
    const TargetAddress::Decoded target = TargetAddress::ParseAddress(Add);
    const ValueRules::Checked checked = ValueRules::checkValueText(DataValue, target);
    if (!checked.accepted) {
        lastRefusal_ = checked.errorText;
        prompter_.ask(QStringLiteral("ENTRY ALERT"), checked.errorText, Prompter::Icon::Critical,
                      Prompter::Buttons::OK);
        return false;
    }
    std::uint32_t value = checked.value;
    if (target.bitAccess) {
        // The other bits of the byte must survive, so the byte is read first; without it
        // nothing is written.
        const QString whole = ReadTarget(QStringLiteral("B%1").arg(target.address));
        if (whole.isEmpty())
            return false;
        const auto byte = static_cast<std::uint32_t>(DecimalText::leadingDigits(whole));
        value = value == 1 ? (byte | target.mask) : (byte & ~std::uint32_t(target.mask));
        const QString rangeError = ValueRules::rangeError(target.type, value);
        if (!rangeError.isEmpty()) {
            lastRefusal_ = rangeError;
            prompter_.ask(QStringLiteral("ENTRY ALERT"), rangeError, Prompter::Icon::Critical,
                          Prompter::Buttons::OK);
            return false;
        }
    }
    const QByteArray bytes = ValueRules::splitValue(target.type, value);

    if (linkMode_ != WriteMode && !SetPLCMode(WriteMode, WriteCommand))
        return false;

    for (int i = 0; i < bytes.size() && !writeVerifyFailed_; ++i) {
        const int address = target.address + i;
        const int sequence[3] = {(address >> 8) & 0xFF, address & 0xFF,
                                 static_cast<std::uint8_t>(bytes[i])};
        for (int sent : sequence) {
            const int echo = TransferByte(sent, false, false);
            if (echo == NoByte)
                return false;
            if (echo != sent) {
                writeVerifyFailed_ = true;
                break;
            }
        }
    }
    if (writeVerifyFailed_)
        linkMode_ = 0;
    return !writeVerifyFailed_;
}

bool RSComm::refuseMalformed(const QString& Add) {
    const QString reason = TargetAddress::malformedReason(Add);
    if (reason.isEmpty())
        return false;
    lastRefusal_ = reason;
    return true;
}

QString RSComm::RSRead(const QString& Add) {
    BusyGuard guard(*this);
    lastRefusal_.clear();
    lastReadFailed_ = true;
    if (!guard.entered()) {
        lastRefusal_ = QStringLiteral("the link is busy");
        return QStringLiteral("0");
    }
    if (refuseMalformed(Add))
        return QStringLiteral("0");
    const QString value = ReadTarget(Add);
    lastReadFailed_ = value.isEmpty();
    return value.isEmpty() ? QStringLiteral("0") : value;
}

void RSComm::RSWrite(const QString& Add, const QString& DataValue) {
    BusyGuard guard(*this);
    lastRefusal_.clear();
    if (!guard.entered()) {
        lastRefusal_ = QStringLiteral("the link is busy");
        return;
    }
    if (refuseMalformed(Add))
        return;
    writeTarget(Add, DataValue);
}

// A wrong echo repeats the whole write once.
bool RSComm::writeTarget(const QString& Add, const QString& DataValue) {
    LinkWatch::Scope scope(watch_, [&] { return LinkExchangeText::write(Add, DataValue); });
    if (WriteTarget(Add, DataValue))
        return true;
    if (!writeVerifyFailed_)
        return false;
    watch_.note(LinkExchange::EchoRepeated);
    if (WriteTarget(Add, DataValue))
        return true;
    if (writeVerifyFailed_)
        watch_.note(LinkExchange::WrongEcho);
    return false;
}

int RSComm::replyWithin(Clock::Micros deadline) {
    if (!port_ || !port_->isOpen())
        return NoByte;
    if (port_->waitForByte(clock_, deadline) != SerialPort::WaitResult::ByteReady)
        return NoByte;
    const int reply = port_->readByte();
    if (reply < 0)
        return NoByte;
    watch_.received(reply);
    return reply;
}

void RSComm::letEventsRun() {
    if (eventPump_)
        eventPump_();
    else if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

// ---------------------------------------------------------------------------------------------
// Address and number helpers

bool RSComm::ValidAdd(const QString& Var, int TargetBoardIndex) const {
    return AddressRules::ValidAdd(Var, TargetBoardIndex);
}

QString RSComm::EquateAdd(const QString& Var, int TargetBoardIndex) const {
    return AddressRules::EquateAdd(Var, TargetBoardIndex);
}

QString RSComm::MarkHex2HEX(const QString& MarkHEX) {
    return HexText::MarkHex2HEX(MarkHEX);
}

QString RSComm::HEX2MarkHEX(const QString& HexCode) {
    return HexText::HEX2MarkHEX(HexCode);
}

// ---------------------------------------------------------------------------------------------
// Programmable limit switch: each operation holds the link for its whole exchange.

QString RSComm::PLSScaleFactor() {
    return exclusive(QStringLiteral("-9999"), [&] { return pls_.PLSScaleFactor(); });
}
QString RSComm::PLSOffset() {
    return exclusive(QStringLiteral("-9999"), [&] { return pls_.PLSOffset(); });
}
QString RSComm::PLSPos() {
    return exclusive(QStringLiteral("-9999"), [&] { return pls_.PLSPos(); });
}
QString RSComm::PLSRpm() {
    return exclusive(QStringLiteral("-9999"), [&] { return pls_.PLSRpm(); });
}

bool RSComm::SingleSetpoint(int Chan, int OnSetpoint, int OffSetpoint, bool ClearChan) {
    return exclusive(false,
                     [&] { return pls_.SingleSetpoint(Chan, OnSetpoint, OffSetpoint, ClearChan); });
}

bool RSComm::PulseTrain(int Chan, int ON_Division, int OFF_Division, int START_Division) {
    return exclusive(
        false, [&] { return pls_.PulseTrain(Chan, ON_Division, OFF_Division, START_Division); });
}

bool RSComm::ClearPLSChan(int Chan) {
    return exclusive(false, [&] { return pls_.ClearPLSChan(Chan); });
}
bool RSComm::RecallChannel(int Chan) {
    return exclusive(false, [&] { return pls_.RecallChannel(Chan); });
}
bool RSComm::SetPLSOffset(int Position) {
    return exclusive(false, [&] { return pls_.SetPLSOffset(Position); });
}

bool RSComm::PLSConfigDownload(const QVector<int>& CfgParam, int ScaleFactor) {
    return exclusive(false, [&] { return pls_.PLSConfigDownload(CfgParam, ScaleFactor); });
}

QVector<int> RSComm::PLSConfigUpload() {
    plsConfigRead_ = false;
    return exclusive(QVector<int>(PLSChannels::ConfigCount, 0), [&] {
        QVector<int> config = pls_.PLSConfigUpload();
        plsConfigRead_ = pls_.ConfigRead();
        return config;
    });
}

// ---------------------------------------------------------------------------------------------
// Board identity

QString RSComm::TargetboardName(int BoardType) {
    return BoardTypes::GetBoardName(BoardType);
}

QString RSComm::LCFBoardIndex(int BoardType) {
    return BoardTypes::GetLCFIndex(BoardType);
}

// ---------------------------------------------------------------------------------------------
// Program transfer

void RSComm::DumpProgram() {
    exclusive(0, [&] {
        program_.DumpProgram();
        return 0;
    });
}

void RSComm::UploadProgram() {
    exclusive(0, [&] {
        program_.UploadProgram();
        return 0;
    });
}

int RSComm::FirmwareRev() {
    if (!OnlineMode || CommError)
        return -1;
    BusyGuard guard(*this);
    if (!guard.entered())
        return -1;
    return static_cast<int>(DecimalText::leadingDigits(ReadTarget(QStringLiteral("B8159"))));
}

int RSComm::FaultCode() {
    BusyGuard guard(*this);
    if (!guard.entered())
        return 0;
    return static_cast<int>(DecimalText::leadingDigits(ReadTarget(QStringLiteral("B8176"))));
}

QString RSComm::FaultFile() const {
    return SupportTextFile(QStringLiteral("FaultErrCodes.txt"));
}

QString RSComm::SupportTextFile(const QString& name) const {
    return SupportFolder::shippedFile(appFolder_, shippedFolder_, name);
}

QString RSComm::FaultDescription(int FltCode) {
    return FaultCodeFile::FaultDescription(FltCode, FaultFile(), prompter_);
}
