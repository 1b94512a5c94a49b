#include "ProgramFiles.h"

#include <QFileInfo>

#include "BoardTypes.h"
#include "CommSettings.h"
#include "HexText.h"
#include "PathUtility.h"
#include "RSComm.h"

namespace {

const QString Paragraph = QStringLiteral("\r\n\r\n");
const QString DownloadTitle = QStringLiteral("Program Download");
// Error numbers of the messages, after the classic runtime errors they stand for.
constexpr int InvalidArgument = 5;
constexpr int TypeMismatch = 13;
constexpr int RevisionTailLength = 4;

bool isFile(const QString& path) {
    return QFileInfo(path).isFile();
}

int digitAtColumn(const QByteArray& line, int column) {
    const qsizetype index = column - 1;
    if (index >= line.size() || line.at(index) < '0' || line.at(index) > '9')
        return 0;
    return line.at(index) - '0';
}

} // namespace

ProgramFiles::BoardClass ProgramFiles::classOf(int boardType) {
    switch (boardType) {
    case 50:
    case 51:
    case 52:
    case 53:
    case 54:
    case 56:
    case 58:
    case 59:
    case 60:
    case 61:
    case 65:
    case 66:
    case 68:
        return BoardClass::PLC;
    case 55:
    case 62:
    case 63:
    case 64:
    case 67:
    case 69:
        return BoardClass::PLS;
    default:
        return BoardClass::Incompatible;
    }
}

void ProgramFiles::setNames(ProgramSet& set, const QString& programFile) {
    const QString stem = programFile.left(qMax<qsizetype>(0, programFile.size() - 3));
    // Where names differ only in case, the file on disk is the one meant.
    set.ProgramFileName = PathUtility::ExistingCaseVariant(stem + QStringLiteral("tkp"));
    set.RevisionFileName = PathUtility::ExistingCaseVariant(stem + QStringLiteral("rev"));
    set.HexFileName = PathUtility::ExistingCaseVariant(stem + QStringLiteral("hex"));
    set.ConfigFileName = PathUtility::ExistingCaseVariant(stem + QStringLiteral("lcf"));
}

void ProgramFiles::reportError(Prompter& prompter, const QString& title, Prompter::Icon icon,
                               int number, const QString& description) {
    prompter.ask(title, CommSettings::errorMessage(description, number), icon,
                 Prompter::Buttons::OK);
}

ProgramFiles::TypeRead ProgramFiles::readBoardType(ProgramSet& set,
                                                   PathUtility::FirstField* failure) {
    const PathUtility::FirstField field = PathUtility::ReadFirstField(set.ProgramFileName);
    if (field.status == PathUtility::FirstField::Status::EmptyFile)
        return TypeRead::EmptyFile;
    if (field.status == PathUtility::FirstField::Status::Failed) {
        *failure = field;
        return TypeRead::Failed;
    }
    set.FileBoardType = static_cast<unsigned char>(field.text.at(0));
    set.FileBoardName = BoardTypes::GetBoardName(set.FileBoardType);
    return TypeRead::Read;
}

bool ProgramFiles::ReadRevisionFile(const QString& RevisionFileName, ProgramSet& set,
                                    Prompter& prompter) {
    const QString unknown = QStringLiteral("Unknown");
    set.ProgramIdent = set.ProgramChecksum = set.ProgramRevision = unknown;
    if (!isFile(RevisionFileName))
        return false;
    const PathUtility::FirstField field = PathUtility::ReadFirstField(RevisionFileName);
    if (field.status == PathUtility::FirstField::Status::EmptyFile)
        return false;
    const QString title = QStringLiteral("RSComm-Set Program Ident");
    if (field.status == PathUtility::FirstField::Status::Failed) {
        reportError(prompter, title, Prompter::Icon::Critical, field.errorNumber, field.error);
        return false;
    }
    const QString line = QString::fromLatin1(field.text);
    if (line.size() < RevisionTailLength) {
        reportError(prompter, title, Prompter::Icon::Critical, InvalidArgument,
                    QStringLiteral("Invalid procedure call or argument"));
        return false;
    }
    const QString checksum = HexText::MarkHex2Dec(line.mid(line.size() - 4, 2));
    const QString revision = HexText::MarkHex2Dec(line.right(2));
    // Digits that are not MarkHEX would later be written to the board as garbage.
    if (checksum.isEmpty() || revision.isEmpty()) {
        reportError(prompter, title, Prompter::Icon::Critical, TypeMismatch,
                    QStringLiteral("Type mismatch"));
        return false;
    }
    set.ProgramIdent = line.left(line.size() - RevisionTailLength);
    set.ProgramChecksum = checksum;
    set.ProgramRevision = revision;
    return true;
}

bool ProgramFiles::ReadConfigFile(const QString& ConfigFileName, ProgramSet& set,
                                  Prompter& prompter) {
    set.LcfCode36 = ProgramSet::NoConfigCode36;
    set.LcfCode39 = ProgramSet::NoConfigCode39;
    set.LcfCode40 = ProgramSet::NoConfigCode40;
    if (!isFile(ConfigFileName))
        return false;
    const PathUtility::FirstField field = PathUtility::ReadFirstField(ConfigFileName);
    if (field.status == PathUtility::FirstField::Status::EmptyFile)
        return false;
    if (field.status == PathUtility::FirstField::Status::Failed) {
        reportError(prompter, QStringLiteral("RSComm-Set Program Config"), Prompter::Icon::Critical,
                    field.errorNumber, field.error);
        return false;
    }
    set.LcfCode36 = digitAtColumn(field.text, 36);
    set.LcfCode39 = digitAtColumn(field.text, 39);
    set.LcfCode40 = digitAtColumn(field.text, 40);
    return true;
}

bool ProgramFiles::checkForDownload(ProgramSet& set, const QString& programFile,
                                    Prompter& prompter) {
    const QString base = QFileInfo(programFile).completeBaseName();
    switch (classOf(set.FileBoardType)) {
    case BoardClass::PLS:
        prompter.ask(QStringLiteral("PLS Program Download"),
                     base + QStringLiteral(" file is a PLS target board program.\r\n") +
                         QStringLiteral("Open PLS program to download to target board.") +
                         Paragraph + QStringLiteral("Program Downloaded Halted."),
                     Prompter::Icon::Information, Prompter::Buttons::OK);
        return false;
    case BoardClass::Incompatible:
        prompter.ask(DownloadTitle,
                     base + QStringLiteral(" file is incompatible with target board.") + Paragraph +
                         QStringLiteral("Program Downloaded Halted!"),
                     Prompter::Icon::Critical, Prompter::Buttons::OK);
        return false;
    case BoardClass::PLC:
        break;
    }
    bool valid = ReadRevisionFile(set.RevisionFileName, set, prompter);
    if (!valid)
        prompter.ask(DownloadTitle,
                     set.RevisionFileName + QStringLiteral(" Revision File is Not Valid") +
                         Paragraph + QStringLiteral("Program Downloaded Halted!"),
                     Prompter::Icon::Exclamation, Prompter::Buttons::OK);
    if (ProgramSet::takesConfiguration(set.FileBoardType) &&
        !ReadConfigFile(set.ConfigFileName, set, prompter)) {
        prompter.ask(DownloadTitle,
                     set.ConfigFileName + QStringLiteral(" Configuration File is Not Valid") +
                         Paragraph + QStringLiteral("Program Downloaded Halted!"),
                     Prompter::Icon::Exclamation, Prompter::Buttons::OK);
        valid = false;
    }
    return valid;
}

void ProgramFiles::DownloadFile(RSComm& link, const QString& TKP_FileName, Prompter& prompter) {
    link.setValidProgram(false);
    if (!isFile(TKP_FileName))
        return;
    ProgramSet set = link.programSet();
    setNames(set, TKP_FileName);
    PathUtility::FirstField failure;
    const TypeRead read = readBoardType(set, &failure);
    if (read == TypeRead::Failed)
        reportError(prompter, QStringLiteral("RSComm-Download File"), Prompter::Icon::Information,
                    failure.errorNumber, failure.error);
    const bool valid = read == TypeRead::Read && checkForDownload(set, TKP_FileName, prompter);
    link.setProgramSet(set);
    link.setValidProgram(valid);
}

void ProgramFiles::UploadFile(RSComm& link, const QString& TKP_FileName, Prompter& prompter) {
    if (!isFile(TKP_FileName))
        return;
    ProgramSet set = link.programSet();
    setNames(set, TKP_FileName);
    PathUtility::FirstField failure;
    if (readBoardType(set, &failure) == TypeRead::Failed)
        reportError(prompter, QStringLiteral("RSComm UploadFile"), Prompter::Icon::Information,
                    failure.errorNumber, failure.error);
    link.setProgramSet(set);
}
