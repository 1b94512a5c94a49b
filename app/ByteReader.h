#pragma once

#include <QByteArray>
#include <cstdint>

// Little-endian reads from a byte image that never go past its end: a read that does not
// fit fails and leaves the position where it was.
class ByteReader {
public:
    explicit ByteReader(const QByteArray& bytes) : bytes_(bytes) {}

    bool readU16(std::uint16_t& value);
    bool readI16(std::int16_t& value);
    bool readI32(std::int32_t& value);
    bool readBytes(qsizetype count, QByteArray& out);

    qsizetype position() const { return position_; }
    qsizetype remaining() const { return bytes_.size() - position_; }

private:
    bool take(qsizetype count, const char*& start);

    const QByteArray& bytes_;
    qsizetype position_ = 0;
};
