#include "AtomicFile.h"

#include <QSaveFile>

QString AtomicFile::write(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Never fall back to writing the target in place.
    file.setDirectWriteFallback(false);
    // Unbuffered, so a failing write is seen here: commit() does not notice an error of the
    // last buffer flush and would rename a cut-off file over the target.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    // commit() flushes, syncs and renames; on failure it removes the temporary file.
    if (!file.commit())
        return file.errorString();
    return {};
}
