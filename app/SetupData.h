#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// One complete set of machine set-up data. A plain value: copying copies everything,
// the resizable tables included, so two instances never share storage. The field order
// is the order of the set-up data file.
struct SetupData {
    static constexpr int ChannelCount = 8;
    static constexpr int OnColumn = 0;
    static constexpr int OffColumn = 1;

    QString Version;
    std::vector<QString> ParamAdd;        // index 0..ParamCount
    std::vector<std::int32_t> ParamValue; // index 0..ParamCount
    std::int16_t NumPLSChannels = 0;
    std::int16_t PLSScale = 0;
    std::int16_t ResolverOffset = 0;
    std::int16_t PLSProgram = 0;
    std::array<std::int16_t, ChannelCount> SpeedComp{};
    // ChanSetpoint[channel][column], column 0 = ON position, 1 = OFF position.
    std::array<std::array<std::int16_t, 2>, ChannelCount> ChanSetpoint{};

    // Both tables to index 0..upperBound, keeping what fits and adding empty texts and zeros.
    void resizeTables(int upperBound);

    // The value at an index, 0 when the table is shorter.
    std::int32_t valueAt(int index) const;

    bool operator==(const SetupData&) const = default;
};
