#include "ByteReader.h"

#include <QtEndian>

bool ByteReader::take(qsizetype count, const char*& start) {
    if (count < 0 || count > remaining())
        return false;
    start = bytes_.constData() + position_;
    position_ += count;
    return true;
}

bool ByteReader::readU16(std::uint16_t& value) {
    const char* start = nullptr;
    if (!take(2, start))
        return false;
    value = qFromLittleEndian<quint16>(start);
    return true;
}

bool ByteReader::readI16(std::int16_t& value) {
    const char* start = nullptr;
    if (!take(2, start))
        return false;
    value = qFromLittleEndian<qint16>(start);
    return true;
}

bool ByteReader::readI32(std::int32_t& value) {
    const char* start = nullptr;
    if (!take(4, start))
        return false;
    value = qFromLittleEndian<qint32>(start);
    return true;
}

bool ByteReader::readBytes(qsizetype count, QByteArray& out) {
    const char* start = nullptr;
    if (!take(count, start))
        return false;
    out = QByteArray(start, count);
    return true;
}
