#pragma once

#include <QString>
#include <array>

// What the background poll reads and the texts its alarm flags stand for.
class AlarmTables {
public:
    static constexpr int AddressCount = 5;
    static constexpr int TextCount = 12;

    // Address 0 is a byte whose bits 1-7 decide texts 1-7; addresses 1-4 decide texts 8-11.
    static std::array<QString, AddressCount> addresses();
    static std::array<QString, TextCount> texts();
};
