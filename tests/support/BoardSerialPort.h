#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "Board.h"
#include "Clock.h"
#include "SerialPort.h"
#include "TrafficLog.h"
#include "WireSchedule.h"

// The tests' serial port, on the test's clock. Its far end is a simulator board: replies are
// ready when the emulated wire would deliver them, and waiting for one moves the clock; faults
// are switched on the board (board.faults()). Or, once script() is called, a script that
// answers each byte sent at once, for protocol cases where the board must misbehave in one
// precise way. The port adds what belongs to the computer's side: an open that fails, and
// noticing a dropped line.
class BoardSerialPort : public SerialPort {
public:
    static constexpr int NoReply = -1;  // the byte goes unanswered
    static constexpr int DropLine = -2; // the line drops when the byte is sent

    BoardSerialPort(sim::Board& board, Clock& clock) : board_(board), clock_(clock) {}

    void setPortNumber(int number) override { portNumber_ = number; }
    int portNumber() const override { return portNumber_; }
    bool setSettings(const QString& settings) override {
        settings_ = settings;
        return true;
    }
    QString settings() const override { return settings_; }

    bool open() override;
    void close() override;
    bool isOpen() const override { return open_; }

    int bytesWaiting() override;
    WaitResult waitForByte(Clock& clock, Clock::Micros deadline) override;
    bool send(const QByteArray& bytes) override;
    int readByte() override;
    void discard() override;

    Error lastError() const override { return error_; }

    // open() fails with `error` (by default: the port is in use) until allowOpen().
    void refuseOpen(Error error = {8002, QStringLiteral("QSerialPort"),
                                   QStringLiteral("Device or resource busy")}) {
        openRefusal_ = std::move(error);
    }
    void allowOpen() { openRefusal_.reset(); }

    // The far end becomes the script; each entry answers one byte sent.
    void script() { scripted_ = true; }
    bool scripted() const { return scripted_; }
    void answer(std::initializer_list<int> replies) { script_.insert(script_.end(), replies); }
    void answer(int reply) { script_.push_back(reply); }
    // What bytes get once the script has run out (default: no reply).
    void answerRest(int reply) { rest_ = reply; }
    int scriptLeft() const { return static_cast<int>(script_.size()); }
    // Virtual time each byte sent takes, so a far end that answers at once cannot stall a
    // deadline loop.
    void setPace(Clock::Micros pace) { pace_ = pace; }

    // Every byte sent with the far end's answer, as the line carried them.
    const sim::TrafficLog& wire() const { return wire_; }
    void clearWire() { wire_.clear(); }
    // Every byte sent with the clock when it went.
    std::vector<std::pair<int, Clock::Micros>> sent;
    int openCount() const { return openCount_; }

private:
    struct Answer {
        Clock::Micros readyAt;
        std::uint8_t byte;
    };

    bool noticeDrop();
    bool answerReady() const;
    // The far end's answer to one byte; false when the line drops instead.
    bool farEnd(std::uint8_t value);

    sim::Board& board_;
    Clock& clock_;
    int portNumber_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    bool open_ = false;
    int openCount_ = 0;
    std::optional<Error> openRefusal_;
    Error error_;
    sim::WireSchedule schedule_;
    std::deque<Answer> answers_;
    sim::TrafficLog wire_;
    bool scripted_ = false;
    std::deque<int> script_;
    int rest_ = NoReply;
    Clock::Micros pace_ = 0;
};
