#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "SetupData.h"

class ByteReader;

// The set-up data file: one SetupData record, fields in order, little-endian, texts as a
// 16-bit length and Latin-1 bytes, each resizable table behind a descriptor (dimensions,
// element count, lower bound). Bytes after the record are ignored.
class SdtFile {
public:
    struct Encoded {
        QByteArray bytes;
        QString error; // empty when the record could be encoded
    };
    struct Decoded {
        std::optional<SetupData> data; // the record exactly as the file holds it
        QString error;                 // why there is none
        qsizetype consumed = 0;        // bytes of the record
    };

    // Files larger than this are read only this far; a record never comes near it.
    static constexpr qint64 ReadLimit = 16 * 1024 * 1024;

    static Encoded encode(const SetupData& data);
    static Decoded decode(const QByteArray& bytes);

    // Reads the record of a file; the error, if any, is a full sentence naming the file.
    static Decoded read(const QString& path);
    // Writes the record as the whole file, atomically. Empty on success, else a full
    // sentence naming the file and the reason.
    static QString write(const QString& path, const SetupData& data);

private:
    static bool appendText(QByteArray& out, const QString& text);
    static void appendDescriptor(QByteArray& out, std::size_t count);
    static QString readTable(ByteReader& in, int elementBytes, const char* table,
                             std::int32_t& count);
};
