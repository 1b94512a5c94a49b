#pragma once

#include <QString>

#include "PathUtility.h"
#include "ProgramSet.h"
#include "Prompter.h"

class RSComm;

// Choosing a program file set for the link and checking it before a download: the board
// class of its program file, its revision file and, for boards that take one, its
// configuration file.
class ProgramFiles {
public:
    enum class BoardClass { PLC, PLS, Incompatible };
    static BoardClass classOf(int boardType);

    // The companions share the chosen path up to its last three characters.
    static void setNames(ProgramSet& set, const QString& programFile);

    // Chooses the set for a download and checks it; the link's ValidProgram tells the result.
    static void DownloadFile(RSComm& link, const QString& TKP_FileName, Prompter& prompter);
    // Chooses the set for an upload; no checks, ValidProgram unchanged.
    static void UploadFile(RSComm& link, const QString& TKP_FileName, Prompter& prompter);

    static bool ReadRevisionFile(const QString& RevisionFileName, ProgramSet& set,
                                 Prompter& prompter);
    static bool ReadConfigFile(const QString& ConfigFileName, ProgramSet& set, Prompter& prompter);

private:
    enum class TypeRead { Read, EmptyFile, Failed };
    static TypeRead readBoardType(ProgramSet& set, PathUtility::FirstField* failure);
    static bool checkForDownload(ProgramSet& set, const QString& programFile, Prompter& prompter);
    static void reportError(Prompter& prompter, const QString& title, Prompter::Icon icon,
                            int number, const QString& description);
};
