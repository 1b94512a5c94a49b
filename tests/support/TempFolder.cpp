#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool TempFolder::write(const QString& relative, const QByteArray& content) const {
    const QString target = filePath(relative);
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return false;
    QFile file(target);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

QByteArray TempFolder::read(const QString& relative) const {
    QFile file(filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : Missing;
}

bool TempFolder::exists(const QString& relative) const {
    return QFileInfo::exists(filePath(relative));
}

bool TempFolder::makeFolder(const QString& relative) const {
    return QDir().mkpath(filePath(relative));
}
