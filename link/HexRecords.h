#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Intel-HEX records as the program transfer reads and writes them.
class HexRecords {
public:
    static constexpr int DataRecord = 0x00;
    static constexpr int EndRecord = 0x01;
    static constexpr int SegmentRecord = 0x02;
    static constexpr int StartSegmentRecord = 0x03;
    static constexpr int LinearRecord = 0x04;
    static constexpr int StartLinearRecord = 0x05;
    static const QString EndOfFile; // ":00000001FF"

    struct Problem {
        int line = 0; // from 1
        QString reason;
    };

    // The first thing that makes the file unfit to send, or nothing when every line is a
    // well-formed record with the right checksum and the file ends with an end record (blank
    // lines may follow it). Start addresses and address extensions of 0 are accepted.
    static std::optional<Problem> check(const QStringList& lines);
    // The records of a checked file that carry memory bytes, up to its end record.
    static QStringList dataRecords(const QStringList& lines);

    // One data record: ":" count, address, type 00, the bytes and the checksum, upper case.
    static QString dataRecord(int address, const QByteArray& bytes);
    // Two's complement of the low byte of the sum of the bytes.
    static int checksum(const QByteArray& bytes);

private:
    static std::optional<QString> lineProblem(const QString& line, bool* isEnd);
    static std::optional<QString> typeProblem(const QByteArray& bytes);
};
