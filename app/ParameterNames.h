#pragma once

#include <QString>

// What the set-up parameters and shift data (indices 0-14) mean, as the report and the
// transfer summaries name them.
class ParameterNames {
public:
    static constexpr int SetupFirst = 0;
    static constexpr int SetupLast = 8;
    static constexpr int ShiftFirst = 9;
    static constexpr int ShiftLast = 14;

    // Empty for an index without a name (the servo board's).
    static QString name(int index);
};
