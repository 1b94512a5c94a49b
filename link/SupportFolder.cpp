#include "SupportFolder.h"

#include <QFileInfo>

QString SupportFolder::path(const QString& applicationFolder) {
    const QString found = findEntry(applicationFolder, QStringLiteral("Support"), QDir::Dirs);
    return found.isEmpty() ? QDir(applicationFolder).filePath(QStringLiteral("Support")) : found;
}

QString SupportFolder::file(const QString& applicationFolder, const QString& name) {
    return QDir(path(applicationFolder)).filePath(name);
}

QString SupportFolder::shippedFile(const QString& applicationFolder, const QString& shippedFolder,
                                   const QString& name) {
    const QString own = file(applicationFolder, name);
    return QFileInfo::exists(own) || shippedFolder.isEmpty() ? own : file(shippedFolder, name);
}

QString SupportFolder::findEntry(const QString& folder, const QString& name, QDir::Filters kind) {
    const QDir dir(folder);
    const QFileInfo exact(dir.filePath(name));
    if (kind.testFlag(QDir::Dirs) ? exact.isDir() : exact.isFile())
        return exact.filePath();
    const QStringList entries = dir.entryList(kind | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}
