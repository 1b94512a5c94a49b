#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "LinkSession.h"
#include "ProgramSet.h"

// Program download into the board and upload back into a file set, with the state the
// progress window polls. The link holds itself for the whole transfer.
class ProgramTransfer {
public:
    // Program identity area: ident (8 bytes), checksum, revision.
    static constexpr int IdentAddress = 61424;
    static constexpr int IdentLength = 8;
    static constexpr int ProgramCommand = 0x03;

    explicit ProgramTransfer(LinkSession& link) : link_(link) {}

    void DumpProgram();
    void UploadProgram();

    void setProgramSet(const ProgramSet& set) { set_ = set; }
    const ProgramSet& programSet() const { return set_; }
    void setValidProgram(bool valid) { validProgram_ = valid; }
    bool ValidProgram() const { return validProgram_; }

    bool InProgramMode() const { return inProgramMode_; }
    bool WritingIdent() const { return writingIdent_; }
    bool InUploadMode() const { return inUploadMode_; }
    void setInUploadMode(bool UploadMode) { inUploadMode_ = UploadMode; }
    bool ReadingIdent() const { return readingIdent_; }
    QString CurrentProgramAdd() const { return currentProgramAdd_; }

    struct UploadRange {
        int first;
        int last; // inclusive
    };
    // Program memory read back for a board type; empty range (first > last) for none.
    static UploadRange uploadRange(int boardType);

private:
    enum class HexLoad { Lines, Missing, Empty, Unreadable };

    HexLoad loadHexFile(QStringList* lines, QString* error) const;
    bool refuseBadHex(const QStringList& lines);
    bool readBoardIdent(QString* ident, QString* checksum, QString* revision);
    bool confirmDownload(const QString& ident, const QString& checksum, const QString& revision);
    bool write(const QString& address, const QString& value);
    bool failed() const;
    void prepareBoard();
    void sendConfiguration();
    enum class RecordsOutcome { Sent, LinkFailed, ChecksumFailed };
    RecordsOutcome sendRecords(const QStringList& lines);
    void writeIdent();
    void endDump(bool clearOnline);
    void reportError(const QString& title, const QString& error);

    std::optional<int> readBoardByte(int address);
    bool readUploadIdent(QString* line);
    bool writeUploadConfiguration();
    void reportUnreadBytes(const QString& notCreated);
    void failUpload(const QString& notCreated);
    bool readMemory(QString* hexText);

    void tell(const QString& title, const QString& text, Prompter::Icon icon);

    LinkSession& link_;
    ProgramSet set_;
    bool validProgram_ = false;
    bool inProgramMode_ = false;
    bool writingIdent_ = false;
    bool writeFailed_ = false;
    bool inUploadMode_ = false;
    bool readingIdent_ = false;
    QString currentProgramAdd_;
};
