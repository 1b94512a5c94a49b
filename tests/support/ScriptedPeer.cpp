#include "ScriptedPeer.h"

void ScriptedPeer::answer(std::initializer_list<int> replies) {
    script_.insert(script_.end(), replies.begin(), replies.end());
}

bool ScriptedPeer::setSettings(const QString& settings) {
    settings_ = settings;
    return true;
}

void ScriptedPeer::refuseOpen(Error error) {
    openRefusal_ = std::move(error);
}

bool ScriptedPeer::open() {
    if (openRefusal_) {
        error_ = *openRefusal_;
        return false;
    }
    open_ = true;
    dropped_ = false;
    replies_.clear();
    return true;
}

void ScriptedPeer::close() {
    open_ = false;
    replies_.clear();
}

bool ScriptedPeer::noticeDrop() {
    if (!open_ || !dropped_)
        return false;
    error_ = Error{8009, QStringLiteral("QSerialPort"), QStringLiteral("Input/output error")};
    close();
    return true;
}

int ScriptedPeer::nextReply() {
    if (script_.empty())
        return rest_;
    const int reply = script_.front();
    script_.pop_front();
    return reply;
}

int ScriptedPeer::bytesWaiting() {
    if (noticeDrop() || !open_)
        return 0;
    return static_cast<int>(replies_.size());
}

SerialPort::WaitResult ScriptedPeer::waitForByte(Clock& clock, Clock::Micros deadline) {
    if (noticeDrop() || !open_)
        return WaitResult::LineDropped;
    if (!replies_.empty())
        return WaitResult::ByteReady;
    clock.waitUntil(deadline);
    return WaitResult::TimedOut;
}

bool ScriptedPeer::send(const QByteArray& bytes) {
    if (noticeDrop() || !open_)
        return false;
    for (const char byte : bytes) {
        const auto value = static_cast<std::uint8_t>(byte);
        const int reply = nextReply();
        if (reply == DropLine) {
            wire_.record(value, std::nullopt);
            dropped_ = true;
            return true;
        }
        std::optional<std::uint8_t> answer;
        if (reply >= 0)
            answer = static_cast<std::uint8_t>(reply & 0xFF);
        wire_.record(value, answer);
        if (answer)
            replies_.push_back(*answer);
    }
    return true;
}

int ScriptedPeer::readByte() {
    if (!open_ || replies_.empty())
        return -1;
    const std::uint8_t byte = replies_.front();
    replies_.pop_front();
    return byte;
}
