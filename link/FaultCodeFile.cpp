#include "FaultCodeFile.h"

#include <QFile>
#include <QStringList>

namespace {
// Numbers shown in the error message: the classic file error numbers.
constexpr int DeviceIOError = 57;
constexpr int FileAccessError = 75;
} // namespace

QString FaultCodeFile::codeText(int code) {
    const unsigned value =
        code < 0 ? static_cast<unsigned>(code) & 0xFFFFu : static_cast<unsigned>(code);
    QString text = QString::number(value, 16).toUpper();
    if (text.size() < 2)
        text.prepend(QLatin1Char('0'));
    return text;
}

QStringList FaultCodeFile::splitRecord(const QByteArray& line) {
    QStringList fields;
    int i = 0;
    const int size = line.size();
    while (i <= size) {
        while (i < size && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        QByteArray field;
        if (i < size && line[i] == '"') {
            const int close = line.indexOf('"', i + 1);
            const int end = close < 0 ? size : close;
            field = line.mid(i + 1, end - i - 1);
            i = close < 0 ? size : close + 1;
            // Whatever follows the closing quote up to the comma is not part of the field.
            const int comma = line.indexOf(',', i);
            i = comma < 0 ? size + 1 : comma + 1;
        } else {
            const int comma = line.indexOf(',', i);
            const int end = comma < 0 ? size : comma;
            field = line.mid(i, end - i);
            while (!field.isEmpty() && (field.back() == ' ' || field.back() == '\t'))
                field.chop(1);
            i = comma < 0 ? size + 1 : comma + 1;
        }
        fields.append(QString::fromLatin1(field));
        if (i > size)
            break;
    }
    return fields;
}

bool FaultCodeFile::lookUp(const QByteArray& content, const QString& code, QString* description) {
    const QList<QByteArray> lines = content.split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = splitRecord(line);
        if (fields.value(0).compare(code, Qt::CaseInsensitive) == 0) {
            *description = fields.value(1);
            return true;
        }
    }
    return false;
}

QString FaultCodeFile::FaultDescription(int FltCode, const QString& path, Prompter& prompter) {
    const QString prefix = QStringLiteral("Fault Code (%1H): ").arg(codeText(FltCode));
    QFile file(path);
    if (!file.exists())
        return prefix + QStringLiteral("--- Fault File Not Found ---");
    // The support files are small; a runaway file is read no further than this.
    constexpr qint64 MaxFileSize = 4 * 1024 * 1024;
    QByteArray content;
    if (file.open(QIODevice::ReadOnly))
        content = file.read(MaxFileSize);
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        prompter.ask(QStringLiteral("RSComm FaultDescription"),
                     QStringLiteral("Error Number = %1\r\n\r\n%2")
                         .arg(file.isOpen() ? DeviceIOError : FileAccessError)
                         .arg(file.errorString()),
                     Prompter::Icon::Information, Prompter::Buttons::OK);
        return prefix;
    }
    QString description;
    if (lookUp(content, codeText(FltCode), &description))
        return prefix + description;
    return prefix;
}
