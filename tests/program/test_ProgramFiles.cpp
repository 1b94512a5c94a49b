#include <QFile>

#include "BoardRig.h"
#include "ProgramFiles.h"

namespace {

class ProgramFilesTest : public BoardRigTest {
protected:
    QString path(const char* ext) const { return folder.filePath(QStringLiteral("PUMP.")) + ext; }
    // Writes the program file and the companions given (nullptr: none).
    void makeSet(const char* tkp, const char* rev, const QByteArray& lcf = {}) {
        const std::pair<const char*, const char*> files[] = {
            {"TKP", tkp}, {"rev", rev}, {"lcf", lcf.isEmpty() ? nullptr : lcf.constData()}};
        for (const auto& [ext, content] : files)
            content ? folder.write(QStringLiteral("PUMP.") + ext, content)
                    : QFile::remove(path(ext));
    }
    std::string download() {
        prompter.clear();
        link.setValidProgram(true);
        ProgramFiles::DownloadFile(link, path("TKP"), prompter);
        QStringList texts;
        for (const auto& m : prompter.messages())
            texts << m.title + QStringLiteral(": ") + m.text;
        return texts.join(QStringLiteral("\n")).toStdString();
    }
};

const QByteArray GoodLcf = "E" + QByteArray(34, '0') + "2" + "00" + "0" + "1" + "000%\r\n";

} // namespace

TEST_F(ProgramFilesTest, DownloadChecksByBoardClassAndReadsTheNamesAndValuesOfTheSet) {
    const std::string halted = "\r\n\r\nProgram Downloaded Halted!";
    const std::string badRev =
        "Program Download: " + path("rev").toStdString() + " Revision File is Not Valid" + halted;
    const std::string badLcf = "Program Download: " + path("lcf").toStdString() +
                               " Configuration File is Not Valid" + halted;
    const std::string incompatible =
        "Program Download: PUMP file is incompatible with target board." + halted;
    const std::string pls = "PLS Program Download: PUMP file is a PLS target board program.\r\n"
                            "Open PLS program to download to target board.\r\n\r\n"
                            "Program Downloaded Halted.";
    const std::string ident = "RSComm-Set Program Ident: Error Number = ";
    const std::string tooShort = ident + "5\r\n\r\nInvalid procedure call or argument\n" + badRev;
    const std::string notHex = ident + "13\r\n\r\nType mismatch\n" + badRev;
    const std::string noField =
        "RSComm-Download File: Error Number = 62\r\n\r\nInput past end of file";
    const char* const rev = "PROG0001:?05\r\n";
    const struct {
        const char* name;
        const char *tkp, *rev;
        QByteArray lcf;
        bool valid;
        std::string messages;
    } cases[] = {
        {"PLC without configuration", "2,x\r\n", rev, {}, true, ""},
        {"PLS board", "7\r\n", rev, GoodLcf, false, pls},
        {"not defined", "9\r\n", nullptr, {}, false, incompatible},
        {"configuration missing", "8\r\n", rev, {}, false, badLcf},
        {"revision missing, configuration good", "8\r\n", nullptr, GoodLcf, false, badRev},
        {"revision line too short", "2\r\n", "05\r\n", {}, false, tooShort},
        {"revision digits not MarkHEX", "2\r\n", "PROG0001XY05\r\n", {}, false, notHex},
        {"empty program file", "", rev, {}, false, ""},
        {"empty first field", ",x\r\n", nullptr, {}, false, noField},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        makeSet(c.tkp, c.rev, c.lcf);
        EXPECT_EQ(download(), c.messages);
        EXPECT_EQ(link.ValidProgram(), c.valid);
    }

    // The names and values read from the set.
    const auto read = [this] {
        const ProgramSet& s = link.programSet();
        return QStringList(
            {s.ProgramFileName, s.RevisionFileName, s.HexFileName, s.ConfigFileName,
             s.FileBoardName, s.ProgramIdent, s.ProgramChecksum, s.ProgramRevision,
             QStringLiteral("%1 %2 %3").arg(s.LcfCode36).arg(s.LcfCode39).arg(s.LcfCode40)});
    };
    makeSet("=project\r\n", "PROG0001:?05\r\n", GoodLcf);
    ASSERT_EQ(download(), "");
    // The program file is the one on disk, whatever the case of its name.
    EXPECT_EQ(read(), QStringList({path("TKP"), path("rev"), path("hex"), path("lcf"), "K6632(PLC)",
                                   "PROG0001", "175", "5", "2 0 1"}));
    makeSet("=project\r\n", ":?05\r\n", "E000\r\n"); // short lines: empty ident, codes 0
    ASSERT_EQ(download(), "");
    EXPECT_EQ(read().mid(5), QStringList({"", "175", "5", "0 0 0"}));
}
