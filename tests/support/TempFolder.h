#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh folder that goes away with the test, with helpers for the files inside it.
class TempFolder {
public:
    // What read() gives for a file that is not there, so a failure shows it plainly.
    static inline const QByteArray Missing = QByteArrayLiteral("<missing>");

    TempFolder() = default;
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    QString path() const { return dir_.path(); }
    QString filePath(const QString& relative) const { return dir_.filePath(relative); }

    // Writes the whole file, making the folders on its way; false when it cannot.
    bool write(const QString& relative, const QByteArray& content) const;
    // The whole file, or Missing.
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;
    // Makes a folder (and its parents); false when it cannot.
    bool makeFolder(const QString& relative) const;

private:
    QTemporaryDir dir_;
};
