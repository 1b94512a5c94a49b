#pragma once

#include <QString>

// The program file set chosen last: the companion names and what was read from them.
struct ProgramSet {
    static constexpr int NoConfigCode36 = 3;
    static constexpr int NoConfigCode39 = 0;
    static constexpr int NoConfigCode40 = 3;

    QString ProgramFileName;
    QString RevisionFileName;
    QString HexFileName;
    QString ConfigFileName;
    int FileBoardType = 0;
    QString FileBoardName;
    QString ProgramIdent = QStringLiteral("Unknown");
    QString ProgramChecksum = QStringLiteral("Unknown");
    QString ProgramRevision = QStringLiteral("Unknown");
    int LcfCode36 = NoConfigCode36;
    int LcfCode39 = NoConfigCode39;
    int LcfCode40 = NoConfigCode40;

    // Boards 56 ("8") to 65 ("A") take the configuration bytes with their program.
    static bool takesConfiguration(int boardType) { return boardType >= 56 && boardType <= 65; }
};
