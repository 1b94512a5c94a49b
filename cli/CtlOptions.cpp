#include "CtlOptions.h"

#include <QFileInfo>
#include <utility>

#include "DecimalText.h"
#include "TargetAddress.h"

namespace {

// Digits only: blanks, signs and exponents are not whole numbers on a command line.
std::optional<int> wholeNumber(const QString& text, int min, int max) {
    if (!DecimalText::isDigits(text))
        return std::nullopt;
    const std::uint64_t value = DecimalText::leadingDigits(text);
    if (value < static_cast<std::uint64_t>(min) || value > static_cast<std::uint64_t>(max))
        return std::nullopt;
    return static_cast<int>(value);
}

// Walks the arguments; options take "--name value" or "--name=value".
class Cursor {
public:
    explicit Cursor(const QStringList& arguments) : arguments_(arguments) {}

    bool atEnd() const { return index_ >= arguments_.size(); }
    const QString& peek() const { return arguments_[index_]; }
    QString take() { return arguments_[index_++]; }
    QStringList rest() {
        const QStringList remaining = arguments_.mid(index_);
        index_ = arguments_.size();
        return remaining;
    }
    bool atOption() const { return !atEnd() && peek().startsWith(QLatin1String("--")); }

    // Splits the option under the cursor into its name and, when given, its value.
    QString takeOptionName() {
        QString option = take();
        const qsizetype equals = option.indexOf(u'=');
        if (equals < 0) {
            inlineValue_.reset();
            return option;
        }
        inlineValue_ = option.mid(equals + 1);
        return option.left(equals);
    }
    bool hasInlineValue() const { return inlineValue_.has_value(); }
    std::optional<QString> takeOptionValue() {
        if (inlineValue_)
            return std::exchange(inlineValue_, std::nullopt);
        if (atEnd())
            return std::nullopt;
        return take();
    }

private:
    const QStringList& arguments_;
    qsizetype index_ = 0;
    std::optional<QString> inlineValue_;
};

struct NumberOption {
    int min;
    int max;
    const char* range;
};

// Reads the value of a numeric option; sets `error` when it is missing or out of range.
std::optional<int> numberValue(Cursor& cursor, const QString& name, const NumberOption& rule,
                               QString& error) {
    const std::optional<QString> text = cursor.takeOptionValue();
    if (!text) {
        error = QStringLiteral("%1 needs a value").arg(name);
        return std::nullopt;
    }
    const std::optional<int> value = wholeNumber(*text, rule.min, rule.max);
    if (!value)
        error =
            QStringLiteral("%1 must be %2, not '%3'").arg(name, QLatin1String(rule.range), *text);
    return value;
}

QString parseGlobalOption(Cursor& cursor, CtlOptions& options) {
    const QString name = cursor.takeOptionName();
    QString error;
    if (name == QLatin1String("--help")) {
        options.help = true;
    } else if (name == QLatin1String("--version")) {
        options.version = true;
    } else if (name == QLatin1String("--trace")) {
        if (cursor.hasInlineValue())
            return QStringLiteral("--trace takes no value");
        options.trace = true;
    } else if (name == QLatin1String("--appdir") || name == QLatin1String("--device")) {
        const std::optional<QString> text = cursor.takeOptionValue();
        if (!text || text->isEmpty())
            return QStringLiteral("%1 needs a value").arg(name);
        (name == QLatin1String("--appdir") ? options.appDir : options.devicePath) = *text;
    } else if (name == QLatin1String("--port")) {
        options.port = numberValue(cursor, name, {1, 99, "a port number from 1 to 99"}, error);
    } else if (name == QLatin1String("--speed")) {
        const std::optional<int> speed =
            numberValue(cursor, name, {0, 999'999'999, "9600 or 19200"}, error);
        if (speed && *speed != 9600 && *speed != 19200)
            error = QStringLiteral("--speed must be 9600 or 19200, not '%1'").arg(*speed);
        options.speed = speed;
    } else if (name == QLatin1String("--retries")) {
        const std::optional<int> retries =
            numberValue(cursor, name, {0, CtlOptions::MaxRetries, "a whole number from 0"}, error);
        options.retries = retries.value_or(0);
    } else {
        error = QStringLiteral("unknown option %1").arg(name);
    }
    return error;
}

QString parseWatchOptions(Cursor& cursor, CtlOptions& options) {
    QString error;
    while (error.isEmpty() && cursor.atOption()) {
        const QString name = cursor.takeOptionName();
        if (name == QLatin1String("--count"))
            options.count =
                numberValue(cursor, name, {1, 999'999'999, "a whole number from 1"}, error);
        else if (name == QLatin1String("--interval"))
            options.intervalMs =
                numberValue(cursor, name, {0, CtlOptions::MaxIntervalMs, "milliseconds from 0"},
                            error)
                    .value_or(0);
        else if (name == QLatin1String("--csv") && cursor.hasInlineValue())
            error = QStringLiteral("--csv takes no value");
        else if (name == QLatin1String("--csv"))
            options.csv = true;
        else
            error = QStringLiteral("unknown option %1 for watch").arg(name);
    }
    return error;
}

QString checkAddresses(const QStringList& addresses) {
    for (const QString& address : addresses) {
        const QString reason = TargetAddress::malformedReason(address);
        if (!reason.isEmpty())
            return QStringLiteral("malformed address '%1': %2").arg(address, reason);
    }
    return {};
}

struct PLSForm {
    const char* name;
    CtlOptions::PLSAction action;
    QStringList values; // names of the numbers it takes, in order
};

const PLSForm plsForms[] = {
    {"status", CtlOptions::PLSAction::Status, {}},
    {"config", CtlOptions::PLSAction::Config, {}},
    {"recall", CtlOptions::PLSAction::Recall, {"CH"}},
    {"set", CtlOptions::PLSAction::Set, {"CH", "ON", "OFF"}},
    {"pulse", CtlOptions::PLSAction::Pulse, {"CH", "ON", "OFF", "START"}},
    {"clear", CtlOptions::PLSAction::Clear, {"CH"}},
    {"offset", CtlOptions::PLSAction::Offset, {"POSITION"}},
};

QString parsePLS(Cursor& cursor, CtlOptions& options) {
    const QString choices =
        QStringLiteral("one of: status, config, recall, set, pulse, clear, offset");
    if (cursor.atEnd())
        return QStringLiteral("pls needs %1").arg(choices);
    const QString name = cursor.take();
    const PLSForm* form = nullptr;
    for (const PLSForm& candidate : plsForms) {
        if (name == QLatin1String(candidate.name))
            form = &candidate;
    }
    if (!form)
        return QStringLiteral("unknown pls command '%1' (%2)").arg(name, choices);
    options.plsAction = form->action;
    const QStringList values = cursor.rest();
    if (values.size() != form->values.size()) {
        if (form->values.isEmpty())
            return QStringLiteral("pls %1 takes no values").arg(name);
        return QStringLiteral("pls %1 needs %2").arg(name, form->values.join(u' '));
    }
    for (qsizetype i = 0; i < values.size(); ++i) {
        const std::optional<int> value = wholeNumber(values[i], 0, CtlOptions::MaxPLSValue);
        if (!value)
            return QStringLiteral("pls %1: %2 must be a whole number, not '%3'")
                .arg(name, form->values[i], values[i]);
        options.plsValues.append(*value);
    }
    return {};
}

QString parseBoard(Cursor& cursor, CtlOptions& options) {
    QString error;
    while (error.isEmpty() && cursor.atOption()) {
        const QString name = cursor.takeOptionName();
        if (name == QLatin1String("--type"))
            options.boardType =
                numberValue(cursor, name, {0, 255, "a board type code from 0 to 255"}, error);
        else
            error = QStringLiteral("unknown option %1 for board").arg(name);
    }
    if (error.isEmpty() && !cursor.atEnd())
        error = QStringLiteral("board takes no arguments besides --type");
    return error;
}

// FILE.tkp, with --yes before or after it where the command takes it.
QString parseProgram(const QString& command, Cursor& cursor, CtlOptions& options, bool takesYes) {
    for (const QString& argument : cursor.rest()) {
        if (takesYes && argument == QLatin1String("--yes"))
            options.yes = true;
        else if (argument.startsWith(QLatin1String("--")))
            return QStringLiteral("unknown option %1 for %2").arg(argument, command);
        else if (!options.programFile.isEmpty())
            return QStringLiteral("%1 takes one program file").arg(command);
        else
            options.programFile = argument;
    }
    if (options.programFile.isEmpty())
        return QStringLiteral("%1 needs a program file (*.tkp)").arg(command);
    return {};
}

struct FileCommandForm {
    const char* name;
    CtlOptions::Command command;
    bool takesDataFile;
    const char* outOption; // the option naming the file written, or null
    bool takesYes;
};

const FileCommandForm fileCommandForms[] = {
    {"upload-data", CtlOptions::Command::UploadData, false, "--out", false},
    {"download-data", CtlOptions::Command::DownloadData, true, nullptr, true},
    {"report", CtlOptions::Command::Report, true, "--pdf", false},
};

QString parseFileCommandOption(Cursor& cursor, const FileCommandForm& form, CtlOptions& options) {
    const QString name = cursor.takeOptionName();
    if (form.takesYes && name == QLatin1String("--yes")) {
        if (cursor.hasInlineValue())
            return QStringLiteral("--yes takes no value");
        options.yes = true;
        return {};
    }
    if (!form.outOption || name != QLatin1String(form.outOption))
        return QStringLiteral("unknown option %1 for %2").arg(name, QLatin1String(form.name));
    const std::optional<QString> value = cursor.takeOptionValue();
    if (!value || value->isEmpty())
        return QStringLiteral("%1 needs a file name").arg(name);
    options.outFile = *value;
    return {};
}

// upload-data --out FILE, download-data FILE [--yes], report FILE --pdf OUT; options may come
// before or after the file.
QString parseFileCommand(Cursor& cursor, const FileCommandForm& form, CtlOptions& options) {
    options.command = form.command;
    QStringList files;
    while (!cursor.atEnd()) {
        if (cursor.atOption()) {
            if (const QString error = parseFileCommandOption(cursor, form, options);
                !error.isEmpty())
                return error;
        } else {
            files.append(cursor.take());
        }
    }
    const QString name = QLatin1String(form.name);
    if (files.size() != (form.takesDataFile ? 1 : 0))
        return form.takesDataFile ? QStringLiteral("%1 needs one set-up file").arg(name)
                                  : QStringLiteral("%1 takes no file besides %2")
                                        .arg(name, QLatin1String(form.outOption));
    if (form.takesDataFile)
        options.dataFile = files.front();
    if (form.outOption && options.outFile.isEmpty())
        return QStringLiteral("%1 needs %2 FILE").arg(name, QLatin1String(form.outOption));
    return {};
}

QString parseCommand(Cursor& cursor, CtlOptions& options) {
    const QString command = cursor.take();
    if (command == QLatin1String("read")) {
        options.command = CtlOptions::Command::Read;
        options.addresses = cursor.rest();
        if (options.addresses.isEmpty())
            return QStringLiteral("read needs at least one address");
    } else if (command == QLatin1String("write")) {
        options.command = CtlOptions::Command::Write;
        const QStringList rest = cursor.rest();
        if (rest.size() != 2)
            return QStringLiteral("write needs an address and a value");
        options.addresses = {rest[0]};
        options.value = rest[1];
    } else if (command == QLatin1String("watch")) {
        options.command = CtlOptions::Command::Watch;
        if (const QString error = parseWatchOptions(cursor, options); !error.isEmpty())
            return error;
        options.addresses = cursor.rest();
        if (options.addresses.isEmpty())
            return QStringLiteral("watch needs at least one address");
    } else if (command == QLatin1String("pls")) {
        options.command = CtlOptions::Command::PLS;
        return parsePLS(cursor, options);
    } else if (command == QLatin1String("board")) {
        options.command = CtlOptions::Command::Board;
        return parseBoard(cursor, options);
    } else if (command == QLatin1String("download-program")) {
        options.command = CtlOptions::Command::DownloadProgram;
        return parseProgram(command, cursor, options, true);
    } else if (command == QLatin1String("upload-program")) {
        options.command = CtlOptions::Command::UploadProgram;
        return parseProgram(command, cursor, options, false);
    } else if (command == QLatin1String("verify-program")) {
        options.command = CtlOptions::Command::VerifyProgram;
        return parseProgram(command, cursor, options, false);
    } else {
        for (const FileCommandForm& form : fileCommandForms) {
            if (command == QLatin1String(form.name))
                return parseFileCommand(cursor, form, options);
        }
        return QStringLiteral("unknown command '%1'").arg(command);
    }
    return checkAddresses(options.addresses);
}

QString checkCombination(const CtlOptions& options) {
    if (options.port && !options.devicePath.isEmpty())
        return QStringLiteral("--port and --device cannot be used together");
    if (!options.appDir.isEmpty() && !QFileInfo(options.appDir).isDir())
        return QStringLiteral("--appdir: no such folder: %1").arg(options.appDir);
    return {};
}

// Reasons echo the arguments; a control character in one (a line break typed inside quotes)
// is shown as an escape, so the reason stays one line.
QString printable(const QString& text) {
    QString shown;
    for (const QChar c : text) {
        const bool control = c.category() == QChar::Other_Control ||
                             c.category() == QChar::Separator_Line ||
                             c.category() == QChar::Separator_Paragraph;
        shown += control ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                         : QString(c);
    }
    return shown;
}

CtlOptions::Parsed parseArguments(const QStringList& arguments) {
    CtlOptions::Parsed parsed;
    CtlOptions& options = parsed.options;
    Cursor cursor(arguments);
    while (cursor.atOption() || (!cursor.atEnd() && cursor.peek() == QLatin1String("-h"))) {
        if (cursor.peek() == QLatin1String("-h")) {
            options.help = true;
            return parsed;
        }
        parsed.error = parseGlobalOption(cursor, options);
        if (!parsed.error.isEmpty() || options.help || options.version)
            return parsed;
    }
    if (cursor.atEnd()) {
        parsed.error = QStringLiteral("no command given (read, write, watch, pls, board, "
                                      "upload-data, download-data or report)");
        return parsed;
    }
    if (!cursor.peek().isEmpty() && cursor.peek().front() == u'-') {
        parsed.error = QStringLiteral("unknown option %1").arg(cursor.peek());
        return parsed;
    }
    parsed.error = parseCommand(cursor, options);
    if (parsed.error.isEmpty())
        parsed.error = checkCombination(options);
    return parsed;
}

} // namespace

CtlOptions::Parsed CtlOptions::parse(const QStringList& arguments) {
    Parsed parsed = parseArguments(arguments);
    parsed.error = printable(parsed.error);
    return parsed;
}

QString CtlOptions::usage() {
    return QStringLiteral(
        "Usage: vorna7ctl [--appdir DIR] [--port N | --device PATH] [--speed 9600|19200]\n"
        "                 [--retries N] [--trace] COMMAND ...\n"
        "\n"
        "Commands:\n"
        "  read ADDR...                         print the value of each address, one a line\n"
        "  write ADDR VALUE                     write a decimal value to an address\n"
        "  watch [--count N] [--interval MS] [--csv] ADDR...\n"
        "                                       read the addresses every MS milliseconds\n"
        "                                       (default 500), one line a round, until\n"
        "                                       N rounds are done or Ctrl-C; --csv gives a\n"
        "                                       header and rows 'YYYY-MM-DD HH:MM:SS,value,...'\n"
        "  pls status                           print the PLS scale, offset, position and\n"
        "                                       rpm, one name=value a line\n"
        "  pls config                           print the 19 PLS configuration values on\n"
        "                                       one line\n"
        "  pls recall CH                        recall channel CH: 'state position' for each\n"
        "                                       step (state 1 ON, 0 OFF), at most two steps\n"
        "  pls set CH ON OFF                    clear channel CH, then program it ON to OFF\n"
        "  pls pulse CH ON OFF START            program channel CH with a pulse train from\n"
        "                                       START: ON divisions on, OFF divisions off\n"
        "  pls clear CH                         clear channel CH\n"
        "  pls offset POSITION                  set the PLS offset so that the position\n"
        "                                       now reads POSITION\n"
        "  board [--type CODE]                  print the firmware revision, the board name\n"
        "                                       for CODE (49..69) and the fault code with\n"
        "                                       its description\n"
        "  download-program FILE.tkp [--yes]    check the program file set and its HEX file,\n"
        "                                       then load it into the board; without --yes\n"
        "                                       the confirmations are answered No\n"
        "  upload-program FILE.tkp              read the board's program back into the\n"
        "                                       revision, configuration and HEX files\n"
        "                                       beside FILE.tkp\n"
        "  verify-program FILE.tkp              compare the board's memory with the records\n"
        "                                       of the HEX file; prints the first difference\n"
        "  upload-data --out FILE.sdt           read the set-up data, PLS configuration and\n"
        "                                       channel setpoints from the board into a set-up\n"
        "                                       file (starting from the built-in defaults); no\n"
        "                                       file is written when the upload fails\n"
        "  download-data FILE.sdt [--yes]       send the file's set-up parameters, PLS\n"
        "                                       configuration and setpoints to the board; shows\n"
        "                                       what differs and asks first (--yes answers;\n"
        "                                       without a terminal --yes is required)\n"
        "  report FILE.sdt --pdf OUT.pdf        the printed set-up report of the file, as PDF\n"
        "                                       (needs no board and no display)\n"
        "\n"
        "Addresses: B1020 (byte), W1022 (word), D1100 (double), B1020.0 (bit), F34 (flag),\n"
        "1FF0H (byte at a hexadecimal address).\n"
        "\n"
        "Options:\n"
        "  --appdir DIR     application folder holding Support/RSPort.cfg (default: the\n"
        "                   folder of this program when it holds Support/, else the\n"
        "                   user's configuration folder ~/.config/vorna7)\n"
        "  --port N         use port N (1..99) instead of the one in RSPort.cfg\n"
        "  --device PATH    use this serial device instead of a port number\n"
        "  --speed S        line speed 9600 or 19200 instead of the one in RSPort.cfg\n"
        "                   (RSPort.cfg is never changed by these three)\n"
        "  --retries N      answer Retry up to N times in a row to a communication error,\n"
        "                   then Cancel (default 0)\n"
        "  --trace          print every exchange on standard error, one a line: time in\n"
        "                   ms, '!' when it failed, the operation ('read W182 = 200'), the\n"
        "                   bytes sent and received in hexadecimal, the outcome\n"
        "  --version        print the version and stop\n"
        "\n"
        "Exit status: 0 success, 1 value refused or download declined, 2 link failure,\n"
        "3 file error, 64 bad usage.\n");
}
