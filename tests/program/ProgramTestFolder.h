#pragma once

#include "Controls.h"
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextDocument>

// The committed help pages as a reader sees them, and small helpers for fresh application
// folders and the windows shown in them.
namespace ProgramTestFolder {

inline QString sourceRoot() {
    return QDir(QStringLiteral(QT_TESTCASE_SOURCEDIR "/..")).absolutePath();
}

inline QString helpFolder() {
    return sourceRoot() + QStringLiteral("/Help");
}

// Copies the committed help pages into `appFolder`/Help.
inline void installHelp(const QString& appFolder) {
    QDir(appFolder).mkpath(QStringLiteral("Help"));
    for (const QString& name : QDir(helpFolder()).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(helpFolder() + QLatin1Char('/') + name,
                                appFolder + QStringLiteral("/Help/") + name));
}

inline QStringList helpPages() {
    return QDir(helpFolder()).entryList({QStringLiteral("*.html")}, QDir::Files);
}

inline QString helpSource(const QString& page) {
    QFile file(helpFolder() + QLatin1Char('/') + page);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

inline QString helpText(const QString& page) {
    QTextDocument document;
    document.setHtml(helpSource(page));
    return document.toPlainText().simplified();
}

// The captions of `window` (title, frames, buttons; without accelerator marks) that its help
// page does not mention: the page is checked against the live window, not a copy of it.
inline QStringList captionsMissingFrom(const QWidget* window, const QString& page) {
    const QString help = helpText(page);
    QStringList captions{window->windowTitle()};
    for (const QGroupBox* frame : window->findChildren<QGroupBox*>())
        captions << frame->title();
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        captions << button->text();
    QStringList missing;
    for (QString caption : captions) {
        if (!help.contains(caption.remove(QLatin1Char('&'))))
            missing << caption;
    }
    return missing;
}

// The first group of each match of `pattern` in the page's source.
inline QStringList captures(const QString& page, const char* pattern) {
    QStringList found;
    for (const QRegularExpressionMatch& m :
         QRegularExpression(QLatin1String(pattern)).globalMatch(helpSource(page)))
        found.append(m.captured(1));
    return found;
}

} // namespace ProgramTestFolder
