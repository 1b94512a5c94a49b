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
    static const QString EndOfFile; // ":00000001FF"

    struct Problem {
        int line = 0; // from 1
        QString reason;
    };

    // The first thing that makes the file unfit to send, or nothing when every line is a
    // well-formed data record with the right checksum and the file ends with an end record.
    static std::optional<Problem> check(const QStringList& lines);

    // One data record: ":" count, address, type 00, the bytes and the checksum, upper case.
    static QString dataRecord(int address, const QByteArray& bytes);
    // Two's complement of the low byte of the sum of the bytes.
    static int checksum(const QByteArray& bytes);

private:
    static std::optional<QString> lineProblem(const QString& line, bool* isEnd);
};
