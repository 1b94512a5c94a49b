#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

#include "TargetAddress.h"

// Value texts as they cross the link: checks before a write, bytes each way.
class ValueRules {
public:
    struct Checked {
        bool accepted = false;
        std::uint32_t value = 0;
        QString errorText; // the "ENTRY ALERT" text when refused
    };

    // Steps 1-4 of the write checks: character scan, value, bit 0/1, range by type.
    static Checked checkValueText(const QString& DataValue, const TargetAddress::Decoded& address);
    // Range check of a composed value for a type ("B", "W", "D"); empty text when in range.
    static QString rangeError(const QString& type, std::uint64_t value);
    // The value's bytes in wire order for the type.
    static QByteArray splitValue(const QString& type, std::uint32_t value);
    // The value read back from d0..d3 (only the first byteCount() are used).
    static std::uint32_t composeValue(const TargetAddress::Decoded& address,
                                      const QByteArray& bytes);
};
