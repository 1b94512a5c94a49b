#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QSet>
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

inline QStringList links(const QString& page) {
    QStringList found;
    const QRegularExpression href(QStringLiteral(R"re(href="([^"]*)")re"));
    for (const QRegularExpressionMatch& m : href.globalMatch(source(page)))
        found.append(m.captured(1));
    return found;
}

inline QSet<QString> anchors(const QString& page) {
    QSet<QString> found;
    const QRegularExpression name(QStringLiteral(R"re(<a name="([^"]*)")re"));
    for (const QRegularExpressionMatch& m : name.globalMatch(source(page)))
        found.insert(m.captured(1));
    return found;
}

} // namespace HelpText
