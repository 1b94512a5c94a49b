#include "SupportFolder.h"

#include <QDir>

QString SupportFolder::path(const QString& applicationFolder) {
    const QDir app(applicationFolder);
    const QStringList entries = app.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(QLatin1String("Support"), Qt::CaseInsensitive) == 0)
            return app.filePath(entry);
    }
    return app.filePath(QStringLiteral("Support"));
}

QString SupportFolder::file(const QString& applicationFolder, const QString& name) {
    return QDir(path(applicationFolder)).filePath(name);
}
