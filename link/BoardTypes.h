#pragma once

#include <QString>

// Board type codes ("1".."E" as character codes 49..69): model names and the index
// character the configuration files use.
class BoardTypes {
public:
    static QString GetBoardName(int BoardType);
    static QString GetLCFIndex(int BoardType);
};
