#pragma once

#include <QString>
#include <deque>
#include <initializer_list>
#include <optional>

#include "SerialPort.h"
#include "TrafficLog.h"

// A line whose far end answers each byte sent from a script, for protocol cases where the
// board must misbehave in one precise way. Replies are ready at once.
class ScriptedPeer final : public SerialPort {
public:
    static constexpr int NoReply = -1;  // the byte goes unanswered
    static constexpr int DropLine = -2; // the line drops when the byte is sent

    // Appended to the script, one entry per byte sent.
    void answer(std::initializer_list<int> replies);
    void answer(int reply) { script_.push_back(reply); }
    // What bytes get once the script has run out (default: no reply).
    void answerRest(int reply) { rest_ = reply; }
    int scriptLeft() const { return static_cast<int>(script_.size()); }

    void setPortNumber(int number) override { portNumber_ = number; }
    int portNumber() const override { return portNumber_; }
    bool setSettings(const QString& settings) override;
    QString settings() const override { return settings_; }

    bool open() override;
    void close() override;
    bool isOpen() const override { return open_; }

    int bytesWaiting() override;
    WaitResult waitForByte(Clock& clock, Clock::Micros deadline) override;
    bool send(const QByteArray& bytes) override;
    int readByte() override;
    void discard() override { replies_.clear(); }

    Error lastError() const override { return error_; }

    void refuseOpen(Error error);
    void allowOpen() { openRefusal_.reset(); }
    void dropLine() { dropped_ = true; }

    const sim::TrafficLog& wire() const { return wire_; }
    void clearWire() { wire_.clear(); }

private:
    int nextReply();
    bool noticeDrop();

    std::deque<int> script_;
    int rest_ = NoReply;
    std::deque<std::uint8_t> replies_;
    int portNumber_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    bool open_ = false;
    bool dropped_ = false;
    std::optional<Error> openRefusal_;
    Error error_;
    sim::TrafficLog wire_;
};
