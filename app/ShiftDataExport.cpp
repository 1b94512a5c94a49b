#include "ShiftDataExport.h"

#include <QDir>

#include "AtomicFile.h"
#include "Numbers.h"

QStringList ShiftDataExport::lines(const SetupData& data, const QString& fileTitle,
                                   const QString& uploadTime) {
    const QString blank = QStringLiteral(" ");
    auto value = [&](int index) { return Numbers::signedText(data.valueAt(index)); };
    return {
        fileTitle.isEmpty() ? QStringLiteral("untitled") : fileTitle,
        QStringLiteral("Date: ") + uploadTime,
        blank,
        QStringLiteral("Current Shift Data:"),
        QStringLiteral("(Good Can, Short Can)"),
        value(9),
        value(10),
        blank,
        QStringLiteral("Last Shift Data:"),
        QStringLiteral("(Good Can, Short Can)"),
        value(11),
        value(12),
        blank,
        QStringLiteral("Brake Response Data:"),
        QStringLiteral("(Low Speed, High Speed)"),
        value(13),
        value(14),
    };
}

QByteArray ShiftDataExport::bytes(const SetupData& data, const QString& fileTitle,
                                  const QString& uploadTime) {
    QByteArray out;
    for (const QString& line : lines(data, fileTitle, uploadTime)) {
        out.append(line.toLatin1());
        out.append("\r\n");
    }
    return out;
}

QString ShiftDataExport::write(const QString& path, const SetupData& data, const QString& fileTitle,
                               const QString& uploadTime) {
    const QString reason = AtomicFile::write(path, bytes(data, fileTitle, uploadTime));
    if (reason.isEmpty())
        return {};
    return QStringLiteral("The shift data file \"%1\" could not be written:\r\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}
