#include "PathUtility.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "SupportFolder.h"

QString PathUtility::ChangeFileExt(const QString& path, const QString& extension) {
    const QFileInfo info(path);
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('.') +
           extension;
}

// The first item of delimited text: leading blanks skipped, then either a quoted text or
// everything up to the first comma or line end. Empty when that item is empty.
std::optional<QByteArray> PathUtility::firstItem(const QByteArray& head) {
    qsizetype i = 0;
    while (i < head.size() && (head.at(i) == ' ' || head.at(i) == '\t'))
        ++i;
    QByteArray item;
    if (i < head.size() && head.at(i) == '"') {
        const qsizetype close = head.indexOf('"', i + 1);
        item = head.mid(i + 1, close < 0 ? -1 : close - i - 1);
    } else {
        qsizetype end = i;
        while (end < head.size() && head.at(end) != ',' && head.at(end) != '\r' &&
               head.at(end) != '\n')
            ++end;
        item = head.mid(i, end - i).trimmed();
    }
    if (item.isEmpty())
        return std::nullopt;
    return item;
}

std::optional<std::int16_t> PathUtility::TekoraFileType(const QString& path, QString* error) {
    const QFileInfo info(path);
    const QString project = SupportFolder::findEntry(
        info.absolutePath(), info.completeBaseName() + QStringLiteral(".TKP"), QDir::Files);
    if (project.isEmpty())
        return DefaultFileType;

    QFile file(project);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("The project file \"%1\" could not be read:\r\n%2")
                         .arg(QDir::toNativeSeparators(project), file.errorString());
        return std::nullopt;
    }
    // The first item sits on the first line; a bounded read is plenty.
    const QByteArray head = file.read(64 * 1024);
    if (head.isEmpty())
        return DefaultFileType;
    const std::optional<QByteArray> item = firstItem(head);
    if (!item) {
        if (error)
            *error = QStringLiteral("The project file \"%1\" does not begin with a board type.")
                         .arg(QDir::toNativeSeparators(project));
        return std::nullopt;
    }
    return static_cast<std::int16_t>(static_cast<unsigned char>(item->at(0)));
}

PathUtility::FirstField PathUtility::ReadFirstField(const QString& path) {
    FirstField result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    const QByteArray head = file.read(64 * 1024);
    if (head.isEmpty()) {
        result.status = FirstField::Status::EmptyFile;
        return result;
    }
    const std::optional<QByteArray> item = firstItem(head);
    if (!item) {
        result.error = QStringLiteral("Input past end of file");
        result.errorNumber = FirstField::InputPastEnd;
        return result;
    }
    result.status = FirstField::Status::Read;
    result.text = *item;
    return result;
}

QString PathUtility::ExistingCaseVariant(const QString& path) {
    const QFileInfo info(path);
    if (info.exists())
        return path;
    const QString found = SupportFolder::findEntry(info.path(), info.fileName(), QDir::Files);
    return found.isEmpty() ? path : found;
}
