#pragma once

#include <QString>

#include "Prompter.h"

// FaultErrCodes.txt / CommErrCodes.txt: records of a hexadecimal code and a description,
// either field optionally in double quotes.
class FaultCodeFile {
public:
    // "Fault Code (0AH): " and the description of the code from the file at `path`.
    static QString FaultDescription(int FltCode, const QString& path, Prompter& prompter);
    // The code as the file writes it: upper-case hexadecimal, at least two digits; negative
    // codes as four digits (16-bit).
    static QString codeText(int code);
    // The description recorded for `code` (matched without regard to case); empty when absent.
    static bool lookUp(const QByteArray& content, const QString& code, QString* description);
    // The comma-separated fields of one record line.
    static QStringList splitRecord(const QByteArray& line);
};
