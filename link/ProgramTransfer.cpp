#include "ProgramTransfer.h"

#include <QFile>
#include <QSaveFile>

#include "BoardTypes.h"
#include "CommSettings.h"
#include "HexRecords.h"
#include "HexText.h"
#include "LinkExchangeText.h"
#include "PathUtility.h"

namespace {

const QString Paragraph = QStringLiteral("\r\n\r\n");
const QString DownloadTitle = QStringLiteral("Program Download");
const QString UploadTitle = QStringLiteral("Program Upload");
const QString OfflineText =
    QStringLiteral("Program is Currently OFFLINE.\r\n\r\nSwitch to ONLINE MODE to Continue.");
const QString InvalidText =
    QStringLiteral("Currently Selected Program is Invalid.\r\n\r\nProgram Download Halted!");
constexpr int RecordBytes = 16;
constexpr double ReplyWaitSeconds = 1.0;
constexpr int ReadAttempts = 3;
// A read address whose high byte is FFH is taken by the board for the attention byte.
constexpr int UnreadableFrom = 0xFF00;

QString byteAddress(int address) {
    return QStringLiteral("B%1").arg(address);
}

QString twoHexDigits(int value) {
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

int lineByte(const QString& line, int position) {
    return HexText::digitValue(line.at(position)) * 16 + HexText::digitValue(line.at(position + 1));
}

bool writeTextFile(const QString& path, const QString& text, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toLatin1()) < 0 || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

void ProgramTransfer::tell(const QString& title, const QString& text, Prompter::Icon icon) {
    link_.messages().ask(title, text, icon, Prompter::Buttons::OK);
}

void ProgramTransfer::reportError(const QString& title, const QString& error) {
    tell(title, CommSettings::errorMessage(error), Prompter::Icon::Information);
}

// ---------------------------------------------------------------------------------------------
// Download

ProgramTransfer::HexLoad ProgramTransfer::loadHexFile(QStringList* lines, QString* error) const {
    QFile file(set_.HexFileName);
    if (!file.exists())
        return HexLoad::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return HexLoad::Unreadable;
    }
    const QByteArray content = file.readAll();
    if (content.isEmpty())
        return HexLoad::Empty;
    QString text = QString::fromLatin1(content);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    *lines = text.split(QLatin1Char('\n'));
    return HexLoad::Lines;
}

// The whole file is checked before the board is touched, so a damaged file never leaves a
// half-loaded program behind.
bool ProgramTransfer::refuseBadHex(const QStringList& lines) {
    const std::optional<HexRecords::Problem> problem = HexRecords::check(lines);
    if (!problem)
        return false;
    tell(QStringLiteral("Program Dump"),
         QStringLiteral("Currently Selected Program is Invalid.\r\n%1 line %2: %3.")
                 .arg(set_.HexFileName)
                 .arg(problem->line)
                 .arg(problem->reason) +
             Paragraph + QStringLiteral("Program Download Halted!"),
         Prompter::Icon::Exclamation);
    validProgram_ = false;
    return true;
}

bool ProgramTransfer::readBoardIdent(QString* ident, QString* checksum, QString* revision) {
    LinkWatch::Scope scope(link_.watch(), LinkExchangeText::identRead);
    for (int k = 0; k < IdentLength + 2 && !link_.commError(); ++k) {
        const QString value = link_.readTarget(byteAddress(IdentAddress + k));
        if (link_.commError())
            break;
        if (k < IdentLength) {
            const int code = value.toInt();
            if (code > 31)
                ident->append(QChar(code));
        } else if (k == IdentLength) {
            *checksum = value;
        } else {
            *revision = value;
        }
    }
    return !link_.commError();
}

bool ProgramTransfer::confirmDownload(const QString& ident, const QString& checksum,
                                      const QString& revision) {
    const QString text =
        QStringLiteral("Program to be loaded into module (on disk):\r\n") +
        QStringLiteral("  Program Ident: \t\t") + set_.ProgramIdent + QStringLiteral("\r\n") +
        QStringLiteral("  Program Revision: \t\t") + set_.ProgramRevision + QStringLiteral("\r\n") +
        QStringLiteral("  Program Checksum: \t") + set_.ProgramChecksum + QStringLiteral("\r\n") +
        QStringLiteral("  Target Board: \t\t") + set_.FileBoardName + QStringLiteral("\r\n") +
        QStringLiteral("\r\n") + QStringLiteral("Program currently loaded in module:\r\n") +
        QStringLiteral("  Program Ident: \t\t") + ident + QStringLiteral("\r\n") +
        QStringLiteral("  Program Revision: \t\t") + revision + QStringLiteral("\r\n") +
        QStringLiteral("  Program Checksum: \t") + checksum + QStringLiteral("\r\n") +
        QStringLiteral("\r\n") +
        QStringLiteral("Entire program file will be dumped to the PLC.\r\n") +
        QStringLiteral("All outputs are off while program dump occurrs.\r\n") +
        QStringLiteral("\r\n") + QStringLiteral("Do You Wish to Continue?\r\n");
    return link_.messages().ask(
               DownloadTitle + QStringLiteral(" - [") + set_.ProgramIdent + QStringLiteral("]"),
               text, Prompter::Icon::Question, Prompter::Buttons::YesNoCancel) == Prompter::Yes;
}

// A write the board did not echo back twice leaves the link up but the value not taken; the
// download then goes no further, as after a lost link.
bool ProgramTransfer::write(const QString& address, const QString& value) {
    if (!failed() && !link_.writeTarget(address, value))
        writeFailed_ = true;
    return !failed();
}

bool ProgramTransfer::failed() const {
    return writeFailed_ || link_.commError();
}

void ProgramTransfer::prepareBoard() {
    if (write(QStringLiteral("B8181"), QStringLiteral("86")) &&
        write(QStringLiteral("B8176"), QStringLiteral("0"))) {
        link_.time().waitUntil(link_.time().now() + Clock::fromSeconds(0.1));
        LinkWatch::Scope scope(link_.watch(), LinkExchangeText::programAttention);
        link_.TransferByte(0xFF, false, false);
    }
    link_.resetLinkMode();
}

void ProgramTransfer::sendConfiguration() {
    if (!ProgramSet::takesConfiguration(set_.FileBoardType))
        return;
    const int code40 = set_.LcfCode40 == 1 ? 5 : set_.LcfCode40 == 2 ? 10 : 20;
    const int code36 = set_.LcfCode36 == 1 ? 3 : set_.LcfCode36 == 2 ? 5 : 12;
    const std::pair<const char*, int> writes[] = {
        {"B8188", code40}, {"B8189", set_.LcfCode39}, {"B8190", code36}};
    for (const auto& [address, value] : writes)
        write(QString::fromLatin1(address), QString::number(value));
    if (failed())
        link_.messages().ask(QStringLiteral("Program Config Download"),
                             QStringLiteral("Could Not Set Program Configuration in PLC!"),
                             Prompter::Icon::Critical, Prompter::Buttons::OK);
}

ProgramTransfer::RecordsOutcome ProgramTransfer::sendRecords(const QStringList& lines) {
    for (const QString& line : HexRecords::dataRecords(lines)) {
        link_.letEventsRun();
        if (failed())
            return RecordsOutcome::LinkFailed;
        const int count = lineByte(line, 1);
        LinkWatch::Scope scope(link_.watch(), [&] {
            return LinkExchangeText::programRecord(line.mid(3, 4) + QStringLiteral("H"));
        });
        int sum = 0;
        for (int position = 1; position <= 5 && !link_.commError(); position += 2) {
            const int value = lineByte(line, position);
            sum += value;
            link_.TransferByte(value, true, false);
        }
        currentProgramAdd_ = line.mid(3, 4) + QStringLiteral("H");
        for (int j = 0; j < count && !link_.commError(); ++j) {
            const int value = lineByte(line, 9 + 2 * j);
            sum += value;
            link_.TransferByte(value, true, false);
        }
        if (link_.commError())
            return RecordsOutcome::LinkFailed;
        // A reply that never comes is as bad as a wrong one: the record was not taken.
        const int reply =
            link_.replyWithin(link_.time().now() + Clock::fromSeconds(ReplyWaitSeconds));
        if (reply != (sum & 0xFF)) {
            link_.watch().note(reply == LinkSession::NoByte ? LinkExchange::NoReply
                                                            : LinkExchange::WrongChecksum);
            tell(DownloadTitle, QStringLiteral("Checksum Error, Program Download Halted!"),
                 Prompter::Icon::Exclamation);
            return RecordsOutcome::ChecksumFailed;
        }
    }
    return RecordsOutcome::Sent;
}

void ProgramTransfer::writeIdent() {
    writingIdent_ = true;
    LinkWatch::Scope scope(link_.watch(), LinkExchangeText::identWrite);
    const QString ident = set_.ProgramIdent.trimmed() + QString(IdentLength, QChar(0));
    for (int k = 0; k < IdentLength + 2; ++k) {
        QString value;
        if (k < IdentLength)
            value = QString::number(ident.at(k).unicode() & 0xFF);
        else
            value = k == IdentLength ? set_.ProgramChecksum : set_.ProgramRevision;
        if (!write(byteAddress(IdentAddress + k), value)) {
            tell(DownloadTitle, QStringLiteral("Could Not Send Program Ident and Revision to PLC!"),
                 Prompter::Icon::Critical);
            break;
        }
    }
}

void ProgramTransfer::endDump(bool online) {
    link_.setOnlineMode(online);
    inProgramMode_ = false;
}

void ProgramTransfer::DumpProgram() {
    inProgramMode_ = true;
    writingIdent_ = false;
    writeFailed_ = false;
    currentProgramAdd_ = QStringLiteral(" ");
    if (!link_.onlineMode()) {
        tell(DownloadTitle, OfflineText, Prompter::Icon::Information);
        inProgramMode_ = false;
        return;
    }
    if (!validProgram_) {
        tell(DownloadTitle, InvalidText, Prompter::Icon::Exclamation);
        inProgramMode_ = false;
        return;
    }
    QStringList lines;
    QString error;
    const HexLoad load = loadHexFile(&lines, &error);
    if (load == HexLoad::Unreadable) {
        validProgram_ = false;
        endDump(false);
        reportError(QStringLiteral("RSComm DumpProgram"), error);
        return;
    }
    if (load == HexLoad::Lines && refuseBadHex(lines)) {
        inProgramMode_ = false;
        return;
    }

    QString boardIdent, boardChecksum, boardRevision;
    if (!readBoardIdent(&boardIdent, &boardChecksum, &boardRevision)) {
        inProgramMode_ = false;
        return;
    }
    if (!confirmDownload(boardIdent, boardChecksum, boardRevision)) {
        inProgramMode_ = false;
        return;
    }
    link_.setOnlineMode(false);

    if (load == HexLoad::Missing || load == HexLoad::Empty) {
        const bool missing = load == HexLoad::Missing;
        tell(DownloadTitle,
             set_.HexFileName +
                 (missing ? QStringLiteral(" File Does Not Exist.")
                          : QStringLiteral(" File is Not Valid")) +
                 Paragraph + QStringLiteral("Program Downloaded Halted"),
             missing ? Prompter::Icon::Information : Prompter::Icon::Exclamation);
        endDump(true);
        return;
    }

    prepareBoard();
    sendConfiguration();
    if (!failed()) {
        LinkWatch::Scope scope(link_.watch(), LinkExchangeText::programModeEnter);
        link_.TransferByte(0xFF, false, false);
        link_.resetLinkMode();
        if (!link_.commError())
            link_.TransferByte(ProgramCommand, false, false);
    } else {
        link_.resetLinkMode();
    }

    const RecordsOutcome outcome = sendRecords(lines);
    if (outcome == RecordsOutcome::ChecksumFailed) {
        endDump(false);
        return;
    }
    if (outcome == RecordsOutcome::Sent && !failed()) {
        LinkWatch::Scope scope(link_.watch(), LinkExchangeText::programModeExit);
        const int answer = link_.TransferByte(0xFF, false, false);
        if (answer != LinkSession::Acknowledge) {
            if (answer != LinkSession::NoByte)
                link_.watch().note(LinkExchange::WrongAcknowledge);
            tell(DownloadTitle, QStringLiteral("PLC did not Exit Program Mode!"),
                 Prompter::Icon::Critical);
            endDump(false);
            return;
        }
    }
    // The board stores the program before it takes further commands.
    link_.time().waitUntil(link_.time().now() + Clock::fromSeconds(2.0));
    if (!failed())
        writeIdent();
    validProgram_ = false;
    writingIdent_ = false;
    if (!failed()) {
        tell(DownloadTitle, QStringLiteral("Program Download Complete!"),
             Prompter::Icon::Information);
        endDump(true);
    } else {
        tell(DownloadTitle, QStringLiteral("Program Download Not Complete!"),
             Prompter::Icon::Critical);
        endDump(false);
    }
}

// ---------------------------------------------------------------------------------------------
// Upload

ProgramTransfer::UploadRange ProgramTransfer::uploadRange(int boardType) {
    switch (boardType) {
    case 50:
        return {0x5000, UnreadableFrom - 1};
    case 51:
    case 54:
    case 58:
    case 59:
    case 60:
    case 61:
    case 65:
    case 66:
        return {0x2000, 0x7FFF};
    case 52:
    case 53:
    case 56:
        return {0x2000, 0x3FFF};
    case 68:
        return {0x4000, 0xBFFF};
    default:
        return {1, 0};
    }
}

// A read whose address echo came back wrong yields nothing; it is asked again rather than
// taken as 0, so a copy never holds a byte the board did not send.
std::optional<int> ProgramTransfer::readBoardByte(int address) {
    for (int attempt = 0; attempt < ReadAttempts && !link_.commError(); ++attempt) {
        const QString value = link_.readTarget(byteAddress(address));
        if (!value.isEmpty() && !link_.commError())
            return value.toInt();
    }
    return std::nullopt;
}

bool ProgramTransfer::readUploadIdent(QString* line) {
    LinkWatch::Scope scope(link_.watch(), LinkExchangeText::identRead);
    QString ident, checksum, revision;
    for (int k = 0; k < IdentLength + 2; ++k) {
        readingIdent_ = true;
        const std::optional<int> read = readBoardByte(IdentAddress + k);
        if (!read)
            return false;
        const int code = *read;
        if (k < IdentLength)
            ident.append(QChar(code & 0xFF));
        else if (k == IdentLength)
            checksum = HexText::HEX2MarkHEX(twoHexDigits(code));
        else
            revision = HexText::HEX2MarkHEX(twoHexDigits(code));
    }
    readingIdent_ = false;
    *line = ident + checksum + revision + QStringLiteral("\r\n");
    return true;
}

// Bytes that stayed unread after repeated wrong echoes leave no link failure behind, so the
// link has said nothing; without this the upload would end without a word.
void ProgramTransfer::reportUnreadBytes(const QString& notCreated) {
    if (!link_.commError())
        tell(UploadTitle, QStringLiteral("Program Upload Not Complete!") + Paragraph + notCreated,
             Prompter::Icon::Critical);
}

void ProgramTransfer::failUpload(const QString& notCreated) {
    tell(UploadTitle, QStringLiteral("Program Upload Not Complete!") + Paragraph + notCreated,
         Prompter::Icon::Critical);
    link_.setOnlineMode(false);
}

bool ProgramTransfer::writeUploadConfiguration() {
    int values[3];
    const int addresses[3] = {8190, 8189, 8188};
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> read = readBoardByte(addresses[i]);
        // Without all three bytes the file would describe a configuration the board does
        // not have.
        if (!read) {
            failUpload(QStringLiteral("Configuration file not created."));
            return false;
        }
        values[i] = *read;
    }
    // LcfCode39 has one column: a second digit would push LcfCode40 out of its place.
    if (values[1] > 9) {
        tell(UploadTitle,
             QStringLiteral("Program Upload Not Complete!") + Paragraph +
                 QStringLiteral("Configuration file not created: B8189 holds %1, which its "
                                "one column cannot hold.")
                     .arg(values[1]),
             Prompter::Icon::Critical);
        return false;
    }
    set_.LcfCode36 = values[0] == 3 ? 1 : values[0] == 5 ? 2 : 3;
    set_.LcfCode39 = values[1];
    set_.LcfCode40 = values[2] == 5 ? 1 : values[2] == 10 ? 2 : 3;
    const QString line = BoardTypes::GetLCFIndex(set_.FileBoardType) +
                         QString(34, QLatin1Char('0')) + QString::number(set_.LcfCode36) +
                         QStringLiteral("00") + QString::number(set_.LcfCode39) +
                         QString::number(set_.LcfCode40) + QStringLiteral("000%\r\n");
    QString error;
    if (!writeTextFile(set_.ConfigFileName, line, &error)) {
        reportError(QStringLiteral("RSComm-Upload Program"), error);
        return false;
    }
    return true;
}

bool ProgramTransfer::readMemory(QString* hexText) {
    const UploadRange range = uploadRange(set_.FileBoardType);
    for (int a = range.first; a <= range.last; a += RecordBytes) {
        currentProgramAdd_ = QStringLiteral("%1H").arg(a, 4, 16, QLatin1Char('0')).toUpper();
        link_.letEventsRun();
        QByteArray bytes;
        for (int i = 0; i < RecordBytes; ++i) {
            const std::optional<int> value = readBoardByte(a + i);
            if (!value)
                return false;
            bytes.append(static_cast<char>(*value));
        }
        hexText->append(HexRecords::dataRecord(a, bytes) + QStringLiteral("\r\n"));
    }
    hexText->append(HexRecords::EndOfFile + QStringLiteral("\r\n"));
    return true;
}

void ProgramTransfer::UploadProgram() {
    readingIdent_ = false;
    if (!inUploadMode_)
        return;
    if (!link_.onlineMode()) {
        tell(UploadTitle, OfflineText, Prompter::Icon::Information);
        inUploadMode_ = false;
        return;
    }
    currentProgramAdd_ = QStringLiteral(" ");
    QString revisionLine;
    if (!readUploadIdent(&revisionLine)) {
        reportUnreadBytes(QStringLiteral("Revision file not created."));
        readingIdent_ = false;
        inUploadMode_ = false;
        return;
    }
    QString error;
    if (!writeTextFile(set_.RevisionFileName, revisionLine, &error)) {
        reportError(QStringLiteral("RSComm-Upload Program"), error);
        inUploadMode_ = false;
        return;
    }
    const PathUtility::FirstField field = PathUtility::ReadFirstField(set_.ProgramFileName);
    if (field.status == PathUtility::FirstField::Status::EmptyFile) {
        inUploadMode_ = false;
        return;
    }
    if (field.status == PathUtility::FirstField::Status::Failed) {
        tell(QStringLiteral("RSComm-Upload Program"),
             CommSettings::errorMessage(field.error, field.errorNumber),
             Prompter::Icon::Information);
        inUploadMode_ = false;
        return;
    }
    set_.FileBoardType = static_cast<unsigned char>(field.text.at(0));
    if (ProgramSet::takesConfiguration(set_.FileBoardType) && !writeUploadConfiguration()) {
        inUploadMode_ = false;
        return;
    }
    QString hexText;
    if (!readMemory(&hexText)) {
        failUpload(QStringLiteral("HEX file not created."));
        inUploadMode_ = false;
        return;
    }
    if (!writeTextFile(set_.HexFileName, hexText, &error)) {
        reportError(QStringLiteral("RSComm-Upload Program"), error);
        inUploadMode_ = false;
        return;
    }
    QString complete = QStringLiteral("Program Upload Complete!");
    if (uploadRange(set_.FileBoardType).last == UnreadableFrom - 1)
        complete += Paragraph + QStringLiteral("FF00H-FFFFH cannot be read over the line and is "
                                               "not in the HEX file.");
    tell(UploadTitle, complete, Prompter::Icon::Information);
    link_.setOnlineMode(true);
    inUploadMode_ = false;
}
