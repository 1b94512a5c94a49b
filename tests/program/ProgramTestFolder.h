#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// The source tree (for the committed Help pages and the project version) and small helpers
// for fresh application folders and the windows shown in them.
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

// Copies the committed help pages into `appFolder`/Help.
inline void installHelp(const QString& appFolder) {
    const QDir source(helpFolder());
    QDir(appFolder).mkpath(QStringLiteral("Help"));
    for (const QString& name : source.entryList(QDir::Files))
        ASSERT_TRUE(
            QFile::copy(source.filePath(name), appFolder + QStringLiteral("/Help/") + name));
}

// The control `name` of `window`; a missing one fails the test.
template <typename T> T* child(const QObject* window, const QString& name) {
    T* widget = window->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

inline void click(const QObject* window, const QString& button) {
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

} // namespace ProgramTestFolder
