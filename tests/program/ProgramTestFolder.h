#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The source tree (for the committed Help pages and the project version) and small helpers
// for fresh application folders.
namespace ProgramTestFolder {

inline QString sourceRoot() {
    return QDir(QStringLiteral(QT_TESTCASE_SOURCEDIR "/..")).absolutePath();
}

inline QString helpFolder() {
    return sourceRoot() + QStringLiteral("/Help");
}

inline void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

// Copies the committed help pages into `appFolder`/<folderName>.
inline void installHelp(const QString& appFolder,
                        const QString& folderName = QStringLiteral("Help")) {
    const QDir source(helpFolder());
    QDir(appFolder).mkpath(folderName);
    for (const QString& name : source.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(name),
                                QDir(appFolder).filePath(folderName + QLatin1Char('/') + name)));
}

} // namespace ProgramTestFolder
