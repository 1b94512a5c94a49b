#include <gtest/gtest.h>

#include "CtlOptions.h"

namespace {

using Action = CtlOptions::PLSAction;

CtlOptions::Parsed parse(const QString& line) {
    return CtlOptions::parse(line.split(u' ', Qt::SkipEmptyParts));
}

struct PLSLine {
    const char* arguments;
    Action action;
    QList<int> values;
};

void PrintTo(const PLSLine& row, std::ostream* out) {
    *out << '[' << row.arguments << ']';
}

class CtlPLSLine : public testing::TestWithParam<PLSLine> {};

} // namespace

TEST_P(CtlPLSLine, GivesTheActionAndItsNumbers) {
    const CtlOptions::Parsed parsed = parse(QString::fromUtf8(GetParam().arguments));
    ASSERT_EQ(parsed.error.toStdString(), "");
    EXPECT_EQ(parsed.options.command, CtlOptions::Command::PLS);
    EXPECT_EQ(parsed.options.plsAction, GetParam().action);
    EXPECT_EQ(parsed.options.plsValues, GetParam().values);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, CtlPLSLine,
    testing::Values(PLSLine{"pls status", Action::Status, {}},
                    PLSLine{"--trace pls config", Action::Config, {}},
                    PLSLine{"pls recall 7", Action::Recall, {7}},
                    PLSLine{"pls set 3 300 20", Action::Set, {3, 300, 20}},
                    PLSLine{"pls pulse 4 10 20 0", Action::Pulse, {4, 10, 20, 0}},
                    PLSLine{"pls clear 0", Action::Clear, {0}},
                    PLSLine{"pls offset 999999999", Action::Offset, {999'999'999}},
                    // Beyond a byte is for the link to refuse with its own message.
                    PLSLine{"pls clear 256", Action::Clear, {256}}));

TEST(CtlOptions, BoardTakesAnOptionalTypeCode) {
    const CtlOptions::Parsed plain = parse(QStringLiteral("board"));
    ASSERT_EQ(plain.error, QString());
    EXPECT_EQ(plain.options.command, CtlOptions::Command::Board);
    EXPECT_FALSE(plain.options.boardType.has_value());
    EXPECT_EQ(parse(QStringLiteral("board --type 61")).options.boardType, 61);
    EXPECT_EQ(parse(QStringLiteral("board --type=0")).options.boardType, 0);
}
