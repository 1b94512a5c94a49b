#include "BoardTypes.h"

namespace {

struct BoardType {
    const char* name;
    const char* lcfIndex;
};

constexpr int FirstCode = 49;
constexpr BoardType Boards[] = {
    {"R2205", "1"},      {"R2217", "1"},     {"R2223", "?"},     {"R2241", "2"},
    {"R2256", "3"},      {"R2238", "D"},     {"R2279", ""},      {"R2262", "F"},
    {"Not Defined", ""}, {"K6603", "@"},     {"K6619", "A"},     {"K6627", "B"},
    {"K6632(PLC)", "C"}, {"K6632(PLS)", ""}, {"K6655", ""},      {"K6661", ""},
    {"T5514", "E"},      {"K6648(PLC)", ""}, {"K6648(PLS)", ""}, {"K6674(PLC)", "G"},
    {"K6674(PLS)", ""},
};
constexpr int CodeCount = sizeof(Boards) / sizeof(Boards[0]);

const BoardType* find(int code) {
    const int index = code - FirstCode;
    return index >= 0 && index < CodeCount ? &Boards[index] : nullptr;
}

} // namespace

QString BoardTypes::GetBoardName(int BoardType) {
    if (const auto* board = find(BoardType))
        return QString::fromLatin1(board->name);
    // The code names a character; one outside 16 bits has none, so show its low 16 bits.
    return QString(QChar(static_cast<char16_t>(BoardType & 0xFFFF))) +
           QStringLiteral(" Is Not Defined.");
}

QString BoardTypes::GetLCFIndex(int BoardType) {
    if (const auto* board = find(BoardType))
        return QString::fromLatin1(board->lcfIndex);
    return {};
}
