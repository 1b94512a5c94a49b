#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CtlOptions.h"

namespace {

CtlOptions::Parsed parse(const QString& line) {
    return CtlOptions::parse(line.split(u' ', Qt::SkipEmptyParts));
}

struct Refusal {
    const char* arguments;
    const char* reason;
};

void PrintTo(const Refusal& row, std::ostream* out) {
    *out << '[' << row.arguments << ']';
}

class CtlOptionsRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(CtlOptionsRefusal, GivesOneLineReason) {
    const CtlOptions::Parsed parsed = parse(QString::fromUtf8(GetParam().arguments));
    EXPECT_EQ(parsed.error.toStdString(), GetParam().reason);
    EXPECT_FALSE(parsed.error.contains(u'\n'));
}

INSTANTIATE_TEST_SUITE_P(
    BadUsage, CtlOptionsRefusal,
    testing::Values(
        Refusal{"", "no command given (read, write, watch, pls, board, upload-data, "
                    "download-data or report)"},
        Refusal{"upload-data a.sdt", "upload-data takes no file besides --out"},
        Refusal{"download-data --yes", "download-data needs one set-up file"},
        Refusal{"download-data a.sdt --out b.sdt", "unknown option --out for download-data"},
        Refusal{"report a.sdt", "report needs --pdf FILE"},
        Refusal{"fetch W1022", "unknown command 'fetch'"},
        Refusal{"fetch\nW1022", "unknown command 'fetch\\x0aW1022'"},
        Refusal{"-x read W1022", "unknown option -x"},
        Refusal{"read", "read needs at least one address"},
        Refusal{"read W1022 B10.x",
                "malformed address 'B10.x': exactly one bit digit must follow the point"},
        Refusal{"write W1022", "write needs an address and a value"},
        Refusal{"watch --count 0 W1022", "--count must be a whole number from 1, not '0'"},
        Refusal{"watch --interval -5 W1022", "--interval must be milliseconds from 0, not '-5'"},
        Refusal{"watch --csv=yes W1022", "--csv takes no value"},
        Refusal{"--port 0 read W1022", "--port must be a port number from 1 to 99, not '0'"},
        Refusal{"--port", "--port needs a value"},
        Refusal{"--speed 4800 read W1022", "--speed must be 9600 or 19200, not '4800'"},
        Refusal{"--retries -1 read W1022", "--retries must be a whole number from 0, not '-1'"},
        Refusal{"--device= read W1022", "--device needs a value"},
        Refusal{"--port 2 --device /dev/ttyUSB0 read W1022",
                "--port and --device cannot be used together"},
        Refusal{"--appdir /no/such/folder/here read W1022",
                "--appdir: no such folder: /no/such/folder/here"},
        Refusal{"pls", "pls needs one of: status, config, recall, set, pulse, clear, offset"},
        Refusal{"pls reset",
                "unknown pls command 'reset' (one of: status, config, recall, set, pulse, clear, "
                "offset)"},
        Refusal{"pls status now", "pls status takes no values"},
        Refusal{"pls recall", "pls recall needs CH"},
        Refusal{"pls set 1 2", "pls set needs CH ON OFF"},
        Refusal{"pls pulse 1 2 3", "pls pulse needs CH ON OFF START"},
        Refusal{"pls set 1 2 3 4", "pls set needs CH ON OFF"},
        Refusal{"pls set 1 -2 3", "pls set: ON must be a whole number, not '-2'"},
        Refusal{"pls offset 12.5", "pls offset: POSITION must be a whole number, not '12.5'"},
        Refusal{"pls clear 1000000000", "pls clear: CH must be a whole number, not '1000000000'"},
        Refusal{"board --type 256", "--type must be a board type code from 0 to 255, not '256'"},
        Refusal{"board --type E", "--type must be a board type code from 0 to 255, not 'E'"},
        Refusal{"board 61", "board takes no arguments besides --type"}));

TEST(CtlOptions, TakesGlobalOptionsInBothSpellings) {
    QTemporaryDir app;
    const CtlOptions::Parsed parsed =
        parse(QStringLiteral("--appdir=%1 --port 7 --speed=19200 --retries 3 --trace read W1022 "
                             "b1020.7 F34 1FF0H D1100")
                  .arg(app.path()));
    ASSERT_EQ(parsed.error, QString());
    const CtlOptions& options = parsed.options;
    EXPECT_EQ(options.appDir, app.path());
    EXPECT_EQ(options.port, 7);
    EXPECT_EQ(options.speed, 19200);
    EXPECT_EQ(options.retries, 3);
    EXPECT_TRUE(options.trace);
    EXPECT_EQ(options.command, CtlOptions::Command::Read);
    EXPECT_EQ(options.addresses, QStringList({"W1022", "b1020.7", "F34", "1FF0H", "D1100"}));
    EXPECT_TRUE(options.overridesSettings());
}

TEST(CtlOptions, LeavesTheSettingsFileInChargeWithoutPortDeviceOrSpeed) {
    const CtlOptions::Parsed parsed = parse(QStringLiteral("read W182"));
    ASSERT_EQ(parsed.error, QString());
    EXPECT_FALSE(parsed.options.overridesSettings());
    EXPECT_EQ(parsed.options.retries, 0);
    EXPECT_FALSE(parsed.options.trace);
    EXPECT_TRUE(parsed.options.appDir.isEmpty());

    EXPECT_TRUE(parse(QStringLiteral("--device /dev/pts/9 read W182")).options.overridesSettings());
    EXPECT_TRUE(parse(QStringLiteral("--speed 9600 read W182")).options.overridesSettings());
}

TEST(CtlOptions, PassesAWriteValueThroughUncheckedForTheLinkToJudge) {
    // "-1" and "12.5" are values, not options: the link's own checks refuse or accept them.
    for (const char* value : {"-1", "12.5", "65,535", "--"}) {
        const CtlOptions::Parsed parsed = CtlOptions::parse({"write", "W1022", value});
        ASSERT_EQ(parsed.error, QString()) << value;
        EXPECT_EQ(parsed.options.command, CtlOptions::Command::Write);
        EXPECT_EQ(parsed.options.addresses, QStringList{"W1022"});
        EXPECT_EQ(parsed.options.value, QString::fromUtf8(value));
    }
    EXPECT_EQ(CtlOptions::parse({"write", "W1022", ""}).error, QString());
}

TEST(CtlOptions, ReadsWatchOptionsAfterTheCommand) {
    const CtlOptions::Parsed parsed =
        parse(QStringLiteral("watch --count 5 --interval=0 W182 W180"));
    ASSERT_EQ(parsed.error, QString());
    EXPECT_EQ(parsed.options.command, CtlOptions::Command::Watch);
    EXPECT_EQ(parsed.options.count, 5);
    EXPECT_EQ(parsed.options.intervalMs, 0);
    EXPECT_EQ(parsed.options.addresses, QStringList({"W182", "W180"}));
    EXPECT_TRUE(parse(QStringLiteral("watch --csv W182")).options.csv);

    const CtlOptions::Parsed endless = parse(QStringLiteral("watch W182"));
    EXPECT_FALSE(endless.options.count.has_value());
    EXPECT_EQ(endless.options.intervalMs, 500);
}

TEST(CtlOptions, HelpWinsOverEverythingAfterIt) {
    for (const char* line : {"--help", "-h", "--trace --help bogus", "-h read"}) {
        const CtlOptions::Parsed parsed = parse(QString::fromUtf8(line));
        EXPECT_EQ(parsed.error, QString()) << line;
        EXPECT_TRUE(parsed.options.help) << line;
    }
    EXPECT_TRUE(CtlOptions::usage().startsWith(
        "Usage: vorna7ctl [--appdir DIR] [--port N | --device PATH] [--speed 9600|19200]"));
}

TEST(CtlOptions, SurvivesArbitraryArguments) {
    const QStringList odd = {"", "=", "--=", "--port=", "read", "\u00b0", "-", "--", "write"};
    for (const QString& first : odd) {
        for (const QString& second : odd) {
            const CtlOptions::Parsed parsed = CtlOptions::parse({first, second, "W1022"});
            EXPECT_FALSE(parsed.error.contains(u'\n'));
        }
    }
}

} // namespace
