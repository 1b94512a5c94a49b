#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTextDocument>

#include "ProgramTestFolder.h"

// The committed help pages, read the way a reader sees them.
namespace HelpText {

inline QStringList pages() {
    return QDir(ProgramTestFolder::helpFolder()).entryList({QStringLiteral("*.html")}, QDir::Files);
}

inline QString source(const QString& page) {
    QFile file(ProgramTestFolder::helpFolder() + QLatin1Char('/') + page);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

inline QString plain(const QString& page) {
    QTextDocument document;
    document.setHtml(source(page));
    return document.toPlainText().simplified();
}

// The first group of each match of `pattern` in the page's source.
inline QStringList captures(const QString& page, const QString& pattern) {
    QStringList found;
    for (const QRegularExpressionMatch& m : QRegularExpression(pattern).globalMatch(source(page)))
        found.append(m.captured(1));
    return found;
}

inline QStringList links(const QString& page) {
    return captures(page, QStringLiteral(R"re(href="([^"]*)")re"));
}

inline QStringList anchors(const QString& page) {
    return captures(page, QStringLiteral(R"re(<a name="([^"]*)")re"));
}

} // namespace HelpText
