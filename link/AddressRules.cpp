#include "AddressRules.h"

#include "DecimalText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>

namespace {

enum class BoardGroup { Small, Large, Other };

BoardGroup groupOf(int code) {
    static constexpr std::array small{49, 51, 52, 53, 54, 56, 58, 59, 60, 61, 65, 66};
    if (std::find(small.begin(), small.end(), code) != small.end()) {
        return BoardGroup::Small;
    }
    return code == 50 || code == 68 ? BoardGroup::Large : BoardGroup::Other;
}

bool isOneOf(int code, std::initializer_list<int> codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// The number part: everything after the letter, or for a bit form the characters between
// the letter and the last two.
std::int64_t numberPart(QStringView var) {
    if (var.contains(u'.')) {
        return DecimalText::leadingNumber(var.size() >= 3 ? var.mid(1, var.size() - 3)
                                                          : QStringView());
    }
    return DecimalText::leadingNumber(var.mid(1));
}

bool inRange(std::int64_t n, std::int64_t low, std::int64_t high) {
    return n >= low && n <= high;
}

// I/O point numbers are written in tens with a units digit of 0 or 1.
bool ioPointInRange(std::int64_t n, std::int64_t high) {
    return inRange(n, 0, high) && n % 10 <= 1;
}

bool validByte(std::int64_t n, BoardGroup group) {
    const std::int64_t max = group == BoardGroup::Small   ? 255
                             : group == BoardGroup::Large ? 8275
                                                          : 65535;
    return inRange(n, 32, max);
}

bool validWord(std::int64_t n, BoardGroup group) {
    const std::int64_t max = group == BoardGroup::Small   ? 254
                             : group == BoardGroup::Large ? 8274
                                                          : 65534;
    return inRange(n, 32, max) && n % 2 == 0;
}

bool validFlag(std::int64_t n, BoardGroup group) {
    return inRange(n, 0, group == BoardGroup::Small ? 120 : 991);
}

bool validIPoint(std::int64_t n, int code) {
    if (isOneOf(code, {49, 50})) {
        return ioPointInRange(n, 151);
    }
    if (isOneOf(code, {51, 52, 53, 54, 56})) {
        return ioPointInRange(n, 21);
    }
    return false;
}

bool validXYPoint(std::int64_t n, int code) {
    if (isOneOf(code, {0, 68})) {
        return false;
    }
    return ioPointInRange(n, isOneOf(code, {49, 50}) ? 151 : 21);
}

struct Point {
    int number;
    int byte;
};

std::optional<int> lookUp(std::initializer_list<Point> table, std::int64_t n) {
    for (const Point& p : table) {
        if (p.number == n) {
            return p.byte;
        }
    }
    return std::nullopt;
}

// Code 50 packs its I/O points two to a tens group: n = 10t + u -> base + 2t + u.
std::optional<int> packedPoint(std::int64_t n, int base) {
    if (!ioPointInRange(n, 151)) {
        return std::nullopt;
    }
    return base + static_cast<int>(2 * (n / 10) + n % 10);
}

std::optional<int> xPointByte(int code, std::int64_t n) {
    switch (code) {
    case 49:
        return lookUp({{30, 49},
                       {31, 50},
                       {50, 51},
                       {51, 52},
                       {60, 53},
                       {61, 54},
                       {70, 55},
                       {71, 56},
                       {80, 57}},
                      n);
    case 50:
        return packedPoint(n, 160);
    case 58:
        return lookUp({{10, 51}, {11, 52}}, n);
    case 59:
    case 66:
        return lookUp({{10, 51}, {11, 52}, {20, 53}, {21, 54}}, n);
    case 60:
    case 65:
        return lookUp({{10, 51}, {11, 52}, {20, 53}}, n);
    case 61:
        return lookUp({{0, 49}, {1, 50}, {10, 51}}, n);
    default:
        return std::nullopt;
    }
}

std::optional<int> yPointByte(int code, std::int64_t n) {
    switch (code) {
    case 49:
        return lookUp({{81, 58},
                       {90, 59},
                       {100, 60},
                       {110, 61},
                       {111, 62},
                       {120, 63},
                       {121, 64},
                       {130, 65},
                       {140, 66},
                       {141, 67}},
                      n);
    case 50:
        return packedPoint(n, 160);
    case 58:
    case 59:
    case 66:
        return lookUp({{0, 49}, {1, 50}}, n);
    case 60:
    case 65:
        return lookUp({{0, 49}, {1, 50}, {21, 54}}, n);
    case 61:
        return lookUp({{11, 52}}, n);
    default:
        return std::nullopt;
    }
}

std::optional<int> iPointByte(int code, std::int64_t n) {
    return code == 50 ? packedPoint(n, 192) : std::nullopt;
}

std::optional<int> translatedByte(QChar letter, int code, std::int64_t n) {
    if (letter == u'X') {
        return xPointByte(code, n);
    }
    if (letter == u'Y') {
        return yPointByte(code, n);
    }
    if (letter == u'I') {
        return iPointByte(code, n);
    }
    return std::nullopt;
}

} // namespace

bool AddressRules::ValidAdd(const QString& Var, int TargetBoardIndex) {
    // An empty text falls to "any other character": valid, its number being 0.
    const QChar letter = Var.isEmpty() ? QChar() : Var.front().toUpper();
    const std::int64_t n = numberPart(Var);
    const BoardGroup group = groupOf(TargetBoardIndex);
    switch (letter.unicode()) {
    case u'B':
        return validByte(n, group);
    case u'W':
    case u'D':
        return validWord(n, group);
    case u'F':
        return validFlag(n, group);
    case u'I':
        return validIPoint(n, TargetBoardIndex);
    case u'X':
    case u'Y':
        return validXYPoint(n, TargetBoardIndex);
    default:
        return n == 0;
    }
}

QString AddressRules::EquateAdd(const QString& Var, int TargetBoardIndex) {
    if (Var.isEmpty()) {
        return Var;
    }
    const QStringView rest = QStringView(Var).mid(1);
    const bool bitForm = rest.contains(u'.');
    const std::int64_t n = DecimalText::leadingNumber(
        bitForm ? rest.chopped(std::min<qsizetype>(2, rest.size())) : rest);
    const std::optional<int> byte = translatedByte(Var.front().toUpper(), TargetBoardIndex, n);
    if (!byte) {
        return Var;
    }
    QString result = QStringLiteral("B") + QString::number(*byte);
    if (bitForm) {
        const QChar last = Var.back();
        const int bit = DecimalText::isDigit(last) ? std::min(last.unicode() - u'0', 7) : 0;
        result += u'.' + QString::number(bit);
    }
    return result;
}
