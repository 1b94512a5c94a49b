#pragma once

#include <QString>

// Which addresses exist on which board type, and the I/O point translation tables.
class AddressRules {
public:
    static bool ValidAdd(const QString& Var, int TargetBoardIndex);
    static QString EquateAdd(const QString& Var, int TargetBoardIndex);
};
