#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "Clock.h"
#include "LinkSession.h"
#include "PLSChannels.h"
#include "ProgramSet.h"
#include "ProgramTransfer.h"
#include "Prompter.h"
#include "SerialPort.h"
#include "TargetAddress.h"

// The link to the target board: settings file, port lifecycle and the byte protocol of
// reads and writes. One object serves the whole program.
class RSComm : private LinkSession {
public:
    RSComm(QString applicationFolder, Clock& clock, Prompter& prompter);
    RSComm(const RSComm&) = delete;
    RSComm& operator=(const RSComm&) = delete;

    // Public link state, read and written by the program.
    bool OnlineMode = false;
    bool CommError = false;
    bool CommErrorAlert = false;
    int TargetboardType = 0;

    QString CommSettingsFile() const;

    void OpenRSComm(SerialPort& CommObj);
    // Port and speed for the following openings instead of RSPort.cfg's (one left empty still
    // comes from the file); the file is then only read, never created or rewritten. For the
    // command-line companion's --port, --device and --speed.
    void overrideSettings(std::optional<int> port, std::optional<int> speed);
    void CloseRSComm();

    QString RSRead(const QString& Add);
    void RSWrite(const QString& Add, const QString& DataValue);

    bool ValidAdd(const QString& Var, int TargetBoardIndex) const;
    QString EquateAdd(const QString& Var, int TargetBoardIndex) const;
    static QString MarkHex2HEX(const QString& MarkHEX);
    static QString HEX2MarkHEX(const QString& HexCode);

    // Programmable limit switch.
    QString PLSScaleFactor();
    QString PLSOffset();
    QString PLSPos();
    QString PLSRpm();
    bool SingleSetpoint(int Chan, int OnSetpoint, int OffSetpoint, bool ClearChan = false);
    bool PulseTrain(int Chan, int ON_Division, int OFF_Division, int START_Division);
    bool ClearPLSChan(int Chan);
    bool RecallChannel(int Chan);
    int ChannelRecallState() const { return pls_.ChannelRecallState(); }
    std::int32_t ChannelRecallPos() const { return pls_.ChannelRecallPos(); }
    bool SetPLSOffset(int Position);
    bool PLSConfigDownload(const QVector<int>& CfgParam, int ScaleFactor);
    QVector<int> PLSConfigUpload();
    // Whether the last PLSConfigUpload read the configuration; a refused one returned stale
    // values.
    bool PLSConfigRead() const { return plsConfigRead_; }

    // Board identity.
    static QString TargetboardName(int BoardType);
    static QString LCFBoardIndex(int BoardType);
    int FirmwareRev();
    int FaultCode();
    QString FaultDescription(int FltCode);
    QString FaultFile() const;

    // Program transfer: the file set chosen last (filled by the program file checks), the
    // download and upload, and the state the progress window polls.
    void DumpProgram();
    void UploadProgram();
    void setProgramSet(const ProgramSet& set) { program_.setProgramSet(set); }
    const ProgramSet& programSet() const { return program_.programSet(); }
    void setValidProgram(bool valid) { program_.setValidProgram(valid); }
    bool InProgramMode() const { return program_.InProgramMode(); }
    bool WritingIdent() const { return program_.WritingIdent(); }
    bool InUploadMode() const { return program_.InUploadMode(); }
    void setInUploadMode(bool UploadMode) { program_.setInUploadMode(UploadMode); }
    bool ReadingIdent() const { return program_.ReadingIdent(); }
    QString CurrentProgramAdd() const { return program_.CurrentProgramAdd(); }
    bool ValidProgram() const { return program_.ValidProgram(); }
    // What "let pending events run" does during a transfer; by default the application's
    // event loop, when there is one.
    void setEventPump(std::function<void()> pump) { eventPump_ = std::move(pump); }
    // Work the program does while a byte is on the wire and its reply not yet due (the main
    // window paints there). It must not touch the link; null for none.
    void setWireWait(std::function<void()> work) { wireWait_ = std::move(work); }

    // The watcher told of each exchange (the link monitor, the command-line trace); null
    // detaches it. Times count from the moment it is attached.
    void setObserver(LinkObserver* observer) { watch_.setObserver(observer); }
    LinkObserver* observer() const { return watch_.observer(); }

    // True while a link operation runs (including while its own message is open).
    // Periodic callers skip their turn instead of starting a second operation.
    bool IsBusy() const { return busyDepth_ > 0; }
    // Why the last RSRead/RSWrite sent nothing: empty when it was not refused.
    QString LastRefusal() const { return lastRefusal_; }
    // Whether the last RSRead delivered no value (its "0" then stands for nothing read).
    bool LastReadFailed() const { return lastReadFailed_; }
    int LinkMode() const { return linkMode_; }
    bool WriteVerifyFailed() const { return writeVerifyFailed_; }
    QString applicationFolder() const { return appFolder_; }
    // Where the shipped texts are read when the application folder holds no copy of its own
    // (installed use); the application folder itself unless set.
    void setShippedFolder(const QString& folder) { shippedFolder_ = folder; }
    // A shipped text file of the support folder (FaultErrCodes.txt, CommErrCodes.txt).
    QString SupportTextFile(const QString& name) const;

    using LinkSession::Acknowledge;
    using LinkSession::NoByte;
    static constexpr int Attention = 0xFF;
    static constexpr int ReadCommand = 0x01;
    static constexpr int WriteCommand = 0x02;

protected:
    int TransferByte(int Data, bool NoReply, bool DiscardFirst) override;
    bool SetPLCMode(int Mode, int Command) override;
    bool commError() const override { return CommError; }
    void setCommError(bool failed) override { CommError = failed; }
    void resetLinkMode() override { linkMode_ = 0; }
    Prompter& messages() override { return prompter_; }
    Clock& time() override { return clock_; }
    QString readTarget(const QString& Add) override { return ReadTarget(Add); }
    bool writeTarget(const QString& Add, const QString& DataValue) override;
    bool onlineMode() const override { return OnlineMode; }
    void setOnlineMode(bool online) override { OnlineMode = online; }
    int replyWithin(Clock::Micros deadline) override;
    void letEventsRun() override;
    LinkWatch& watch() override { return watch_; }
    QString ReadTarget(const QString& Add);
    bool WriteTarget(const QString& Add, const QString& DataValue);

    // Marks a public operation in progress; refuses a nested one.
    class BusyGuard {
    public:
        explicit BusyGuard(RSComm& link) : link_(link), entered_(link.busyDepth_ == 0) {
            ++link_.busyDepth_;
        }
        ~BusyGuard() { --link_.busyDepth_; }
        bool entered() const { return entered_; }
        BusyGuard(const BusyGuard&) = delete;
        BusyGuard& operator=(const BusyGuard&) = delete;

    private:
        RSComm& link_;
        bool entered_;
    };

private:
    // Runs one whole operation with the link held; a nested one gets `refused`.
    template <typename Result, typename Operation>
    Result exclusive(Result refused, Operation operation) {
        BusyGuard guard(*this);
        if (!guard.entered())
            return refused;
        return operation();
    }

    bool InitializeRSComm(SerialPort& CommObj);
    void closeLine();
    bool sendByte(int value);
    void reportLineDropped();
    bool refuseMalformed(const QString& Add);

    QString appFolder_;
    QString shippedFolder_;
    Clock& clock_;
    Prompter& prompter_;
    LinkWatch watch_{clock_};
    SerialPort* port_ = nullptr;

    bool settingsOverridden_ = false;
    std::optional<int> portOverride_;
    std::optional<int> speedOverride_;

    int linkMode_ = 0;
    bool initFailed_ = false;
    bool writeVerifyFailed_ = false;
    bool dropReported_ = false;
    int busyDepth_ = 0;
    QString lastRefusal_;
    bool lastReadFailed_ = false;
    bool plsConfigRead_ = false;

    QString lastAdd_;
    TargetAddress::Decoded cached_;

    PLSChannels pls_{*this};
    ProgramTransfer program_{*this};
    std::function<void()> eventPump_;
    std::function<void()> wireWait_;
};
