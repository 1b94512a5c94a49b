#include "BoardSerialPort.h"

#include <algorithm>

static constexpr std::int64_t NanosPerMicro = 1000;

bool BoardSerialPort::open() {
    if (openRefusal_) {
        error_ = *openRefusal_;
        return false;
    }
    if (scripted_)
        board_.faults().restoreLine(); // a script drops the line for one opening only
    if (board_.faults().lineDropped()) {
        error_ =
            Error{8001, QStringLiteral("QSerialPort"), QStringLiteral("No such file or directory")};
        return false;
    }
    open_ = true;
    ++openCount_;
    answers_.clear();
    schedule_.reset();
    return true;
}

void BoardSerialPort::close() {
    open_ = false;
    answers_.clear();
}

// A dropped line is found when the port is next used, as with a real device.
bool BoardSerialPort::noticeDrop() {
    if (!open_ || !board_.faults().lineDropped())
        return false;
    error_ = Error{8009, QStringLiteral("QSerialPort"), QStringLiteral("Input/output error")};
    close();
    return true;
}

bool BoardSerialPort::answerReady() const {
    return !answers_.empty() && answers_.front().readyAt <= clock_.now();
}

int BoardSerialPort::bytesWaiting() {
    if (noticeDrop() || !open_)
        return 0;
    return static_cast<int>(
        std::count_if(answers_.begin(), answers_.end(),
                      [this](const Answer& a) { return a.readyAt <= clock_.now(); }));
}

SerialPort::WaitResult BoardSerialPort::waitForByte(Clock& clock, Clock::Micros deadline) {
    if (noticeDrop() || !open_)
        return WaitResult::LineDropped;
    if (!answers_.empty() && answers_.front().readyAt <= deadline) {
        clock.waitUntil(answers_.front().readyAt);
        return WaitResult::ByteReady;
    }
    clock.waitUntil(deadline);
    return WaitResult::TimedOut;
}

bool BoardSerialPort::farEnd(std::uint8_t value) {
    if (scripted_) {
        const int reply = script_.empty() ? rest_ : script_.front();
        if (!script_.empty())
            script_.pop_front();
        if (reply == DropLine) {
            wire_.record(value, std::nullopt);
            board_.faults().dropLine();
            return false;
        }
        std::optional<std::uint8_t> answer;
        if (reply >= 0)
            answer = static_cast<std::uint8_t>(reply & 0xFF);
        wire_.record(value, answer);
        if (answer)
            answers_.push_back({clock_.now(), *answer});
        return true;
    }
    const std::int64_t byteTime = board_.faults().byteTimeNanos();
    const sim::WireSchedule::Nanos arrived =
        schedule_.arrival(clock_.now() * NanosPerMicro, byteTime);
    const auto answer = board_.receive(value, arrived / NanosPerMicro);
    wire_.record(value, answer);
    if (answer) {
        const sim::WireSchedule::Nanos back = schedule_.answerBack(arrived, byteTime);
        answers_.push_back({(back + NanosPerMicro - 1) / NanosPerMicro, *answer});
    }
    return true;
}

bool BoardSerialPort::send(const QByteArray& bytes) {
    if (noticeDrop() || !open_)
        return false;
    for (const char byte : bytes) {
        const auto value = static_cast<std::uint8_t>(byte);
        sent.emplace_back(value, clock_.now());
        clock_.waitUntil(clock_.now() + pace_);
        if (!farEnd(value))
            break;
    }
    return true;
}

int BoardSerialPort::readByte() {
    if (!open_ || !answerReady())
        return -1;
    const std::uint8_t byte = answers_.front().byte;
    answers_.pop_front();
    return byte;
}

void BoardSerialPort::discard() {
    while (answerReady())
        answers_.pop_front();
}
