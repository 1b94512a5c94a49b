#pragma once

#include <QString>

// What the Target Board Interface window says about fault and comm-error codes.
class TargetBoardFaults {
public:
    // The corrective action for a last-fault code.
    static QString CorrectiveAction(int n);
    // The description the file gives `code` (two upper-case hex digits); the last matching
    // record wins. Empty when the file is missing or has none; a file that exists but cannot
    // be read gives the reason in *error.
    static QString describe(const QString& path, const QString& code, QString* error);
};
