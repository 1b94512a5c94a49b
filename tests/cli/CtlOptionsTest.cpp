#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

#include "CtlOptions.h"

namespace {

CtlOptions::Parsed parse(const QString& line) {
    return CtlOptions::parse(line.split(u' ', Qt::SkipEmptyParts));
}

TEST(CtlOptions, RefusesBadUsageWithOneLineReason) {
    const std::pair<const char*, const char*> refusals[] = {
        {"", "no command given (read, write, watch, pls, board, upload-data, "
             "download-data or report)"},
        {"upload-data a.sdt", "upload-data takes no file besides --out"},
        {"download-data --yes", "download-data needs one set-up file"},
        {"download-data a.sdt --out b.sdt", "unknown option --out for download-data"},
        {"report a.sdt", "report needs --pdf FILE"},
        {"fetch W1022", "unknown command 'fetch'"},
        {"fetch\nW1022", "unknown command 'fetch\\x0aW1022'"},
        {"-x read W1022", "unknown option -x"},
        {"read", "read needs at least one address"},
        {"read W1022 B10.x",
         "malformed address 'B10.x': exactly one bit digit must follow the point"},
        {"write W1022", "write needs an address and a value"},
        {"watch --count 0 W1022", "--count must be a whole number from 1, not '0'"},
        {"watch --interval -5 W1022", "--interval must be milliseconds from 0, not '-5'"},
        {"watch --csv=yes W1022", "--csv takes no value"},
        {"--port 0 read W1022", "--port must be a port number from 1 to 99, not '0'"},
        {"--port", "--port needs a value"},
        {"--speed 4800 read W1022", "--speed must be 9600 or 19200, not '4800'"},
        {"--retries -1 read W1022", "--retries must be a whole number from 0, not '-1'"},
        {"--device= read W1022", "--device needs a value"},
        {"--port 2 --device /dev/ttyUSB0 read W1022",
         "--port and --device cannot be used together"},
        {"--appdir /no/such/folder/here read W1022",
         "--appdir: no such folder: /no/such/folder/here"},
        {"pls", "pls needs one of: status, config, recall, set, pulse, clear, offset"},
        {"pls reset",
         "unknown pls command 'reset' (one of: status, config, recall, set, pulse, clear, "
         "offset)"},
        {"pls status now", "pls status takes no values"},
        {"pls recall", "pls recall needs CH"},
        {"pls set 1 2", "pls set needs CH ON OFF"},
        {"pls pulse 1 2 3", "pls pulse needs CH ON OFF START"},
        {"pls set 1 2 3 4", "pls set needs CH ON OFF"},
        {"pls set 1 -2 3", "pls set: ON must be a whole number, not '-2'"},
        {"pls offset 12.5", "pls offset: POSITION must be a whole number, not '12.5'"},
        {"pls clear 1000000000", "pls clear: CH must be a whole number, not '1000000000'"},
        {"board --type 256", "--type must be a board type code from 0 to 255, not '256'"},
        {"board --type E", "--type must be a board type code from 0 to 255, not 'E'"},
        {"board 61", "board takes no arguments besides --type"}};
    for (const auto& [arguments, reason] : refusals)
        EXPECT_EQ(parse(QString::fromUtf8(arguments)).error.toStdString(), reason) << arguments;
}

TEST(CtlOptions, TakesGlobalOptionsInBothSpellings) {
    QTemporaryDir app;
    const CtlOptions::Parsed parsed =
        parse(QStringLiteral("--appdir=%1 --port 7 --speed=19200 --retries 3 --trace read W1022 "
                             "b1020.7 F34 1FF0H D1100")
                  .arg(app.path()));
    ASSERT_EQ(parsed.error, QString());
    const CtlOptions& options = parsed.options;
    EXPECT_EQ(std::tuple(options.appDir, options.port, options.speed, options.retries,
                         options.trace, options.command),
              std::tuple(app.path(), 7, 19200, 3, true, CtlOptions::Command::Read));
    EXPECT_EQ(options.addresses, QStringList({"W1022", "b1020.7", "F34", "1FF0H", "D1100"}));
    EXPECT_TRUE(options.overridesSettings());
}

TEST(CtlOptions, LeavesTheSettingsFileInChargeWithoutPortDeviceOrSpeed) {
    const CtlOptions::Parsed parsed = parse(QStringLiteral("read W182"));
    ASSERT_EQ(parsed.error, QString());
    EXPECT_EQ(std::tuple(parsed.options.overridesSettings(), parsed.options.retries,
                         parsed.options.trace, parsed.options.appDir),
              std::tuple(false, 0, false, QString()));

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
    EXPECT_EQ(std::tuple(parsed.options.command, parsed.options.count, parsed.options.intervalMs,
                         parsed.options.addresses),
              std::tuple(CtlOptions::Command::Watch, 5, 0, QStringList({"W182", "W180"})));
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

TEST(CtlOptions, PLSGivesTheActionAndItsNumbers) {
    using Action = CtlOptions::PLSAction;
    const struct {
        const char* arguments;
        Action action;
        QList<int> values;
    } lines[] = {{"pls status", Action::Status, {}},
                 {"--trace pls config", Action::Config, {}},
                 {"pls recall 7", Action::Recall, {7}},
                 {"pls set 3 300 20", Action::Set, {3, 300, 20}},
                 {"pls pulse 4 10 20 0", Action::Pulse, {4, 10, 20, 0}},
                 {"pls clear 0", Action::Clear, {0}},
                 {"pls offset 999999999", Action::Offset, {999'999'999}},
                 // Beyond a byte is for the link to refuse with its own message.
                 {"pls clear 256", Action::Clear, {256}}};
    for (const auto& line : lines) {
        SCOPED_TRACE(line.arguments);
        const CtlOptions::Parsed parsed = parse(QString::fromUtf8(line.arguments));
        ASSERT_EQ(parsed.error.toStdString(), "");
        EXPECT_EQ(parsed.options.command, CtlOptions::Command::PLS);
        EXPECT_EQ(parsed.options.plsAction, line.action);
        EXPECT_EQ(parsed.options.plsValues, line.values);
    }
}

TEST(CtlOptions, BoardTakesAnOptionalTypeCode) {
    const CtlOptions::Parsed plain = parse(QStringLiteral("board"));
    ASSERT_EQ(plain.error, QString());
    EXPECT_EQ(plain.options.command, CtlOptions::Command::Board);
    EXPECT_FALSE(plain.options.boardType.has_value());
    EXPECT_EQ(parse(QStringLiteral("board --type 61")).options.boardType, 61);
    EXPECT_EQ(parse(QStringLiteral("board --type=0")).options.boardType, 0);
}

} // namespace
