#include "AtomicFile.h"

#include <QSaveFile>

QString AtomicFile::write(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Never fall back to writing the target in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    // commit() flushes, syncs and renames; on failure it removes the temporary file.
    if (!file.commit())
        return file.errorString();
    return {};
}
