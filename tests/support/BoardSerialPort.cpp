#include "BoardSerialPort.h"

namespace {

constexpr std::int64_t NanosPerMicro = 1000;

} // namespace

BoardSerialPort::BoardSerialPort(sim::Board& board, Clock& clock) : board_(board), clock_(clock) {}

SerialPort::Error BoardSerialPort::portInUse() {
    return Error{8002, QStringLiteral("QSerialPort"), QStringLiteral("Device or resource busy")};
}

SerialPort::Error BoardSerialPort::lineLost() {
    return Error{8009, QStringLiteral("QSerialPort"), QStringLiteral("Input/output error")};
}

bool BoardSerialPort::setSettings(const QString& settings) {
    settings_ = settings;
    return true;
}

void BoardSerialPort::refuseOpen(Error error) {
    openRefusal_ = std::move(error);
}

bool BoardSerialPort::open() {
    if (openRefusal_) {
        error_ = *openRefusal_;
        return false;
    }
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
    error_ = lineLost();
    close();
    return true;
}

bool BoardSerialPort::answerReady() const {
    return !answers_.empty() && answers_.front().readyAt <= clock_.now();
}

int BoardSerialPort::bytesWaiting() {
    if (noticeDrop() || !open_)
        return 0;
    int ready = 0;
    for (const Answer& answer : answers_) {
        if (answer.readyAt <= clock_.now())
            ++ready;
    }
    return ready;
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

bool BoardSerialPort::send(const QByteArray& bytes) {
    if (noticeDrop() || !open_)
        return false;
    const std::int64_t byteTime = board_.faults().byteTimeNanos();
    for (const char byte : bytes) {
        const auto value = static_cast<std::uint8_t>(byte);
        const sim::WireSchedule::Nanos sentAt = clock_.now() * NanosPerMicro;
        const sim::WireSchedule::Nanos arrived = schedule_.arrival(sentAt, byteTime);
        const auto answer = board_.receive(value, arrived / NanosPerMicro);
        wire_.record(value, answer);
        if (answer) {
            const sim::WireSchedule::Nanos back = schedule_.answerBack(arrived, byteTime);
            answers_.push_back({(back + NanosPerMicro - 1) / NanosPerMicro, *answer});
        }
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
