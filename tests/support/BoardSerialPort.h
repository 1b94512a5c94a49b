#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <optional>

#include "Board.h"
#include "Clock.h"
#include "SerialPort.h"
#include "TrafficLog.h"
#include "WireSchedule.h"

// A simulator board behind the SerialPort interface, on the test's clock: replies are
// ready when the emulated wire would deliver them, and waiting for one moves the clock.
// Faults are switched on the board (board.faults()); the port adds what belongs to the
// computer's side: an open that fails, and noticing a dropped line.
class BoardSerialPort final : public SerialPort {
public:
    BoardSerialPort(sim::Board& board, Clock& clock);

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
    void discard() override;

    Error lastError() const override { return error_; }

    // open() fails with `error` until allowOpen().
    void refuseOpen(Error error = portInUse());
    void allowOpen() { openRefusal_.reset(); }
    static Error portInUse();
    static Error lineLost();

    // Every byte sent with the board's answer, as the line carried them.
    const sim::TrafficLog& wire() const { return wire_; }
    void clearWire() { wire_.clear(); }
    int openCount() const { return openCount_; }
    sim::Board& board() { return board_; }

private:
    struct Answer {
        Clock::Micros readyAt;
        std::uint8_t byte;
    };

    bool noticeDrop();
    bool answerReady() const;

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
};
