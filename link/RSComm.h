#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "Clock.h"
#include "Prompter.h"
#include "SerialPort.h"
#include "TargetAddress.h"

// The link to the target board: settings file, port lifecycle and the byte protocol of
// reads and writes. One object serves the whole program.
class RSComm {
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
    void CloseRSComm();

    QString RSRead(const QString& Add);
    void RSWrite(const QString& Add, const QString& DataValue);

    bool ValidAdd(const QString& Var, int TargetBoardIndex) const;
    QString EquateAdd(const QString& Var, int TargetBoardIndex) const;
    static QString MarkHex2HEX(const QString& MarkHEX);
    static QString HEX2MarkHEX(const QString& HexCode);

    // True while a link operation runs (including while its own message is open).
    // Periodic callers skip their turn instead of starting a second operation.
    bool IsBusy() const { return busyDepth_ > 0; }
    // Why the last RSRead/RSWrite sent nothing: empty when it was not refused.
    QString LastRefusal() const { return lastRefusal_; }
    int LinkMode() const { return linkMode_; }
    bool WriteVerifyFailed() const { return writeVerifyFailed_; }
    QString applicationFolder() const { return appFolder_; }

    static constexpr int NoByte = 9999;
    static constexpr int Attention = 0xFF;
    static constexpr int Acknowledge = 0x55;
    static constexpr int ReadCommand = 0x01;
    static constexpr int WriteCommand = 0x02;

protected:
    int TransferByte(int Data, bool NoReply, bool DiscardFirst);
    bool SetPLCMode(int Mode, int Command);
    QString ReadTarget(const QString& Add);
    void WriteTarget(const QString& Add, const QString& DataValue);

    Clock& clock() { return clock_; }
    Prompter& prompter() { return prompter_; }
    SerialPort* port() { return port_; }

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
    bool InitializeRSComm(SerialPort& CommObj);
    void closeLine();
    bool sendByte(int value);
    void reportLineDropped();
    bool refuseMalformed(const QString& Add);

    QString appFolder_;
    Clock& clock_;
    Prompter& prompter_;
    SerialPort* port_ = nullptr;

    int linkMode_ = 0;
    bool initFailed_ = false;
    bool writeVerifyFailed_ = false;
    bool dropReported_ = false;
    int busyDepth_ = 0;
    QString lastRefusal_;

    QString lastAdd_;
    TargetAddress::Decoded cached_;
};
