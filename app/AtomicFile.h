#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file as a whole: the bytes go to a temporary file beside it, are flushed to
// disk and only then renamed over the target, so a failure leaves the old file as it was.
class AtomicFile {
public:
    // Empty on success, otherwise the reason ("Permission denied", ...).
    static QString write(const QString& path, const QByteArray& bytes);
};
