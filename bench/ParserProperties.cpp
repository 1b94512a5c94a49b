#include "ParserProperties.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <bit>

#include "Board.h"
#include "CommSettings.h"
#include "ControlCommand.h"
#include "CtlOptions.h"
#include "FaultCodeFile.h"
#include "Prompter.h"
#include "TargetAddress.h"
#include "ValueRules.h"

namespace {

class SilentPrompter final : public Prompter {
public:
    int ask(const QString&, const QString&, Icon, Buttons) override { return OK; }
};

// A file the parsers can read, in a folder kept for the whole run.
QString fileWith(const QByteArray& bytes) {
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QByteArray> recordLines(const QByteArray& file) {
    QList<QByteArray> lines;
    for (QByteArray line : file.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            lines.append(line);
    }
    return lines;
}

const char* codeTextFault(int code) {
    const QString text = FaultCodeFile::codeText(code);
    bool ok = false;
    const int back = text.toInt(&ok, 16);
    if (!ok || text != text.toUpper() || text.size() < 2)
        return "a code's text is not upper-case hexadecimal of two digits or more";
    if (back != (code < 0 ? (code & 0xFFFF) : code))
        return "a code's text does not read back as the code";
    return nullptr;
}

} // namespace

const char* ParserProperties::name(Parser parser) {
    static const char* const names[ParserCount] = {"rsport", "fault-text", "address", "ctl-options",
                                                   "sim-control"};
    return names[parser];
}

const char* ParserProperties::check(Parser parser, const QByteArray& input) {
    switch (parser) {
    case PortSettings:
        return portSettings(input);
    case FaultText:
        return faultText(input);
    case Address:
        return address(input);
    case CtlCommandLine:
        return ctlCommandLine(input);
    case SimControl:
        return simControl(input);
    }
    return "no such parser";
}

const char* ParserProperties::portSettings(const QByteArray& file) {
    const QString path = fileWith(file);
    if (path.isEmpty())
        return nullptr; // the machine's trouble, not the parser's
    CommSettings settings;
    QString error;
    const CommSettings::ReadResult result = settings.read(path, &error);
    if (result == CommSettings::ReadResult::Failed)
        return error.isEmpty() ? "a failed read without a reason" : nullptr;
    if (result != CommSettings::ReadResult::Read)
        return file.left(4096).trimmed().isEmpty() ? nullptr : "a file with text read as empty";
    if (settings.port < CommSettings::MinPort || settings.port > CommSettings::MaxPort ||
        (settings.speed != 9600 && settings.speed != 19200))
        return "settings read outside their range";
    if (!settings.write(path, &error))
        return "settings read cannot be written";
    const QByteArray line =
        QByteArray::number(settings.port) + ',' + QByteArray::number(settings.speed) + "\r\n";
    if (contents(path) != line)
        return "the file written is not \"port,speed\" CR LF";
    CommSettings again;
    if (again.read(path, &error) != CommSettings::ReadResult::Read || again.port != settings.port ||
        again.speed != settings.speed)
        return "the file written reads back other settings";
    return nullptr;
}

const char* ParserProperties::faultText(const QByteArray& file) {
    QStringList seen;
    for (const QByteArray& line : recordLines(file)) {
        const QStringList fields = FaultCodeFile::splitRecord(line);
        for (const QString& field : fields) {
            if (field.contains(u'\n'))
                return "a field holds a line break";
        }
        const QString code = fields.value(0);
        if (seen.contains(code, Qt::CaseInsensitive))
            continue;
        seen.append(code);
        QString description;
        if (!FaultCodeFile::lookUp(file, code, &description))
            return "a record's code is not found";
        if (description != fields.value(1))
            return "a code is found with another description than its first record's";
    }
    const int code = file.size() >= 2 ? static_cast<qint16>((uchar(file[0]) << 8) | uchar(file[1]))
                                      : file.size();
    if (const char* fault = codeTextFault(code))
        return fault;
    const QString path = fileWith(file);
    if (path.isEmpty())
        return nullptr;
    SilentPrompter prompter;
    const QString shown = FaultCodeFile::FaultDescription(code, path, prompter);
    if (!shown.startsWith(QStringLiteral("Fault Code (%1H): ").arg(FaultCodeFile::codeText(code))))
        return "the description does not start with its code";
    return nullptr;
}

const char* ParserProperties::address(const QByteArray& text) {
    const qsizetype split = text.indexOf('\n');
    const QString add = QString::fromLatin1(split < 0 ? text : text.left(split));
    const QString value = split < 0 ? QString() : QString::fromLatin1(text.mid(split + 1));
    const TargetAddress::Decoded decoded = TargetAddress::ParseAddress(add);
    if (!TargetAddress::malformedReason(add).isEmpty())
        return nullptr;
    if (decoded.type != QLatin1String("B") && decoded.type != QLatin1String("W") &&
        decoded.type != QLatin1String("D"))
        return "an address taken with an unknown type";
    if (decoded.address < 0 || decoded.address + decoded.byteCount() - 1 > 0xFFFF)
        return "an address taken outside the board's memory";
    if (decoded.bitAccess && std::popcount(decoded.mask) != 1)
        return "a bit address taken without a one-bit mask";
    const ValueRules::Checked checked = ValueRules::checkValueText(value, decoded);
    if (!checked.accepted)
        return checked.errorText.isEmpty() ? "a value refused without a reason" : nullptr;
    if (decoded.bitAccess)
        return checked.value > 1 ? "a bit value other than 0 or 1 taken" : nullptr;
    if (!ValueRules::rangeError(decoded.type, checked.value).isEmpty())
        return "a value taken outside its type's range";
    const QByteArray bytes = ValueRules::splitValue(decoded.type, checked.value);
    if (bytes.size() != decoded.byteCount())
        return "a value split into another number of bytes than its type has";
    if (ValueRules::composeValue(decoded, bytes) != checked.value)
        return "a value's bytes do not compose back to it";
    return nullptr;
}

const char* ParserProperties::ctlCommandLine(const QByteArray& arguments) {
    QStringList list;
    if (!arguments.isEmpty()) {
        for (const QByteArray& argument : arguments.split('\0'))
            list.append(QString::fromUtf8(argument));
    }
    const CtlOptions::Parsed parsed = CtlOptions::parse(list);
    if (!parsed.error.isEmpty())
        return parsed.error.contains(u'\n') ? "a refusal over more than one line" : nullptr;
    const CtlOptions& options = parsed.options;
    if (options.help || options.version)
        return nullptr;
    if (options.port && (*options.port < 1 || *options.port > 99))
        return "a port outside 1..99 accepted";
    if (options.speed && *options.speed != 9600 && *options.speed != 19200)
        return "a speed other than 9600 or 19200 accepted";
    if (options.port && !options.devicePath.isEmpty())
        return "a port and a device accepted together";
    if (options.retries < 0 || options.retries > CtlOptions::MaxRetries)
        return "retries outside their range accepted";
    if (options.intervalMs < 0 || options.intervalMs > CtlOptions::MaxIntervalMs)
        return "an interval outside its range accepted";
    if (options.count && *options.count < 1)
        return "a watch count below 1 accepted";
    return nullptr;
}

const char* ParserProperties::simControl(const QByteArray& lines) {
    sim::Board board;
    for (const QByteArray& line : lines.split('\n')) {
        const std::string answer = sim::ControlCommand::apply(board, line.toStdString());
        if (answer.find('\n') != std::string::npos)
            return "an answer over more than one line";
        if (answer != "ok" && answer.rfind("ok ", 0) != 0 && answer.rfind("error ", 0) != 0)
            return "an answer neither ok nor error";
        const QList<QByteArray> words = line.simplified().split(' ');
        if (answer != "ok" || words.size() != 3 || words[0] != "set")
            continue;
        const std::string got =
            sim::ControlCommand::apply(board, ("get " + words[1]).toStdString());
        if (got != "ok " + std::to_string(words[2].toULongLong()))
            return "a value set is not the value got back";
    }
    return nullptr;
}
