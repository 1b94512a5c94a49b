#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "SetupData.h"

// The shift-data text file: 17 lines, each ended by CR LF, values in signed display form.
class ShiftDataExport {
public:
    // fileTitle is the current file's name without folder ("untitled" is used when empty);
    // uploadTime is the stamp of the last file open or upload, as shown.
    static QStringList lines(const SetupData& data, const QString& fileTitle,
                             const QString& uploadTime);
    static QByteArray bytes(const SetupData& data, const QString& fileTitle,
                            const QString& uploadTime);
    // Writes the file atomically. Empty on success, else a full sentence naming the file.
    static QString write(const QString& path, const SetupData& data, const QString& fileTitle,
                         const QString& uploadTime);
};
