#pragma once

#include <QString>
#include <cstdint>

// Typed target addresses: "B1020", "W1022", "D1100", "B1020.0", "F34", "1FF0H".
class TargetAddress {
public:
    struct Decoded {
        QString type = QStringLiteral("B"); // "B", "W" or "D"
        std::int32_t address = 32;
        std::uint16_t mask = 0;
        bool bitAccess = false;

        int byteCount() const {
            return type == QLatin1String("D") ? 4 : type == QLatin1String("W") ? 2 : 1;
        }
        bool operator==(const Decoded&) const = default;
    };

    // Decodes exactly as the board's address rules say, whatever the text (never fails).
    static Decoded ParseAddress(const QString& Add);

    // Empty when ParseAddress decodes the text and all its bytes lie in 0..65535; otherwise a
    // one-line reason ("bit number above 7", ...). An empty text is refused: it names no address.
    static QString malformedReason(const QString& Add);
};
