#include "TargetBoardFaults.h"

#include <QFile>
#include <QStringList>

#include "FaultCodeFile.h"

QString TargetBoardFaults::CorrectiveAction(int n) {
    const QString q = QStringLiteral("\"");
    if (n >= 1 && n <= 63)
        return QStringLiteral("Replace CO-CPU board at ") + q + QStringLiteral("CO-CPU Slot") + q +
               QStringLiteral(" and try again.  ") +
               QStringLiteral("If fault persists, peplace R2217 processor board and try again.  ") +
               QStringLiteral("If fault persists, verify proper use of ") + q +
               QStringLiteral("sfunc05/06/12") + q + QStringLiteral(" in user program.");
    if (n == 66)
        return QStringLiteral("Verify connection of cable between computer ") + q +
               QStringLiteral("COM") + q + QStringLiteral(" port and target board ") + q +
               QStringLiteral("PROG PORT") + q + QStringLiteral(".  Verify ") +
               QStringLiteral("cable wiring and connectors.  If fault persists, replace target "
                              "board and/or ") +
               QStringLiteral("try a different computer.");
    if (n == 69)
        return QStringLiteral("User program executed an sfunc09() system fault function call.  "
                              "See User ") +
               QStringLiteral("program for details on source of fault and corrective action.");
    if (n == 92 || n == 93)
        return QStringLiteral("Program is invalid.  Re-dump program to target board.  If fault "
                              "persists, ") +
               QStringLiteral("verify cable connections between computer and target board.  If "
                              "fault persists, ") +
               QStringLiteral("replace target board.");
    if (n <= 0 || n > 122)
        return QStringLiteral("None");
    return QStringLiteral("Reset fault and try again.  If fault persists, replace target board "
                          "and try ") +
           QStringLiteral("again.  See Tekora Manual for more details.");
}

QString TargetBoardFaults::describe(const QString& path, const QString& code, QString* error) {
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QString description;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QStringList fields = FaultCodeFile::splitRecord(line);
        if (fields.size() >= 2 && fields.at(0).compare(code, Qt::CaseInsensitive) == 0)
            description = fields.at(1);
    }
    return description;
}
