#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "SetupData.h"

// The built-in parameter table and PLS defaults, and the program's version tag.
class SetupTables {
public:
    static constexpr std::int16_t ParamCount = 31; // upper bound of the parameter tables

    struct Parameter {
        const char* address;
        std::int32_t defaultValue;
    };
    static const std::array<Parameter, ParamCount + 1>& parameters();

    // "VORNA7_R" major "." minor "." revision, plain decimal digits.
    static QString programVersion(int major, int minor, int revision);
    // The tag of this build.
    static QString programVersion();

    // The defaults as the program starts with them, stamped with the given version tag.
    static SetupData defaultData(const QString& version);

private:
    static void fillPLSDefaults(SetupData& data);
};
