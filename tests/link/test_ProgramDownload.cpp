#include <QFile>
#include <array>
#include <cstring>

#include "BoardRig.h"
#include "QStringPrinter.h"

namespace {

using sim::Fault;
using sim::FaultPlan;

// One byte read in read mode (address high and low, each answered) and one written in write
// mode (address high, low and data, each echoed).
std::string readOf(int a, int value) {
    return QString::asprintf("%02X/%02X %02X/%02X", a >> 8, a >> 8, a & 0xFF, value).toStdString();
}
std::string writeOf(int a, int v) {
    return QString::asprintf("%02X/%02X %02X/%02X %02X/%02X", a >> 8, a >> 8, a & 0xFF, a & 0xFF, v,
                             v)
        .toStdString();
}
std::string join(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& part : parts)
        if (!part.empty())
            text += (text.empty() ? "" : " ") + part;
    return text;
}

// The board's fresh ident area: "VORNA7", checksum AFH, revision 5.
constexpr std::array<int, 10> FreshIdent = {'V', 'O', 'R', 'N', 'A', '7', 0, 0, 0xAF, 5};

std::string identRead() {
    std::string text = "FF/55 01/55";
    for (int k = 0; k < 10; ++k)
        text += " " + readOf(61424 + k, FreshIdent[k]);
    return text;
}

std::string identWrite(const char* ident, int checksum, int revision) {
    std::string text = "FF/55 02/55";
    for (int k = 0; k < 8; ++k)
        text += " " + writeOf(61424 + k, k < int(strlen(ident)) ? ident[k] : 0);
    return text + " " + writeOf(61432, checksum) + " " + writeOf(61433, revision);
}

class ProgramDownload : public BoardRigTest {
protected:
    ProgramSet set;

    void SetUp() override {
        set.HexFileName = folder.filePath(QStringLiteral("PUMP.hex"));
        set.FileBoardName = "R2217";
        set.ProgramIdent = "PROG0001";
        set.ProgramChecksum = "175";
        set.ProgramRevision = "5";
    }
    void writeHex(const QByteArray& content) { ASSERT_TRUE(folder.write("PUMP.hex", content)); }
    // Online, the set chosen and valid, Yes to the detailed confirmation.
    void dump(int answer = Prompter::Yes) {
        goOnline();
        link.setProgramSet(set);
        link.setValidProgram(true);
        prompter.answerNext(answer);
        link.DumpProgram();
    }
};

} // namespace

TEST_F(ProgramDownload, SequencesOnTheWireAndInTheBoard) {
    struct Case {
        const char* name;
        int boardType;
        const char* ident;
        QByteArray hex;
        std::string records;       // between entering program mode and leaving it
        std::string configuration; // between the two attention bytes
        const char* identWritten;  // padded with zeros, cut to eight
    } cases[] = {
        {"end record only", '2', "PROG0001", ":00000001FF\r\n", "", "", "PROG0001"},
        {"one record, type and checksum not sent", '2', " AB12C ",
         ":0201F000AB1250\r\n:00000001FF\r\n", "02/- 01/- F0/- AB/- 12/B0", "", "AB12C"},
        {"configuration board writes its three bytes", ':', "LONGPROGRAM", ":00000001FF\r\n", "",
         join({"FF/55 02/55", writeOf(8188, 5), writeOf(8189, 7), writeOf(8190, 3)}), "LONGPROG"},
    };
    set.LcfCode40 = 1;
    set.LcfCode39 = 7;
    set.LcfCode36 = 1;
    // The board's NUL bytes are left out of its ident.
    const QString confirmation = QStringLiteral(
        "Program to be loaded into module (on disk):\r\n  Program Ident: \t\tPROG0001\r\n"
        "  Program Revision: \t\t5\r\n  Program Checksum: \t175\r\n  Target Board: \t\tR2217"
        "\r\n\r\nProgram currently loaded in module:\r\n  Program Ident: \t\tVORNA7\r\n"
        "  Program Revision: \t\t5\r\n  Program Checksum: \t175\r\n\r\nEntire program file "
        "will be dumped to the PLC.\r\nAll outputs are off while program dump occurrs.\r\n\r\n"
        "Do You Wish to Continue?\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int k = 0; k < 10; ++k)
            board.memory().setByte(61424 + k, FreshIdent[k]);
        set.FileBoardType = c.boardType;
        set.ProgramIdent = QString::fromLatin1(c.ident);
        writeHex(c.hex);
        dump();
        EXPECT_EQ(wire(), join({identRead(), "FF/55 02/55", writeOf(8181, 86), writeOf(8176, 0),
                                "FF/55", c.configuration, "FF/55 03/55", c.records, "FF/55",
                                identWrite(c.identWritten, 175, 5)}));
        EXPECT_EQ(prompter.last().text, QStringLiteral("Program Download Complete!"));
        if (&c == cases) {
            EXPECT_EQ(prompter.messages().at(0).title,
                      QStringLiteral("Program Download - [PROG0001]"));
            EXPECT_EQ(prompter.messages().at(0).text, confirmation);
        }
        EXPECT_TRUE(link.OnlineMode);
        EXPECT_FALSE(link.ValidProgram());
        link.CloseRSComm();
    }
}

TEST_F(ProgramDownload, RefusalsAndFailures) {
    using Icon = Prompter::Icon;
    enum Setup { Plain, Offline, Invalid, Declined, WrongSum, NoSum, Stuck, ConfigDrop, Unechoed };
    const QString hexFile = folder.filePath(QStringLiteral("PUMP.hex"));
    const QByteArray record = ":0201F000AB1250\r\n:00000001FF\r\n", end = ":00000001FF\r\n";
    const QString download = QStringLiteral("Program Download: "), p = QStringLiteral("\r\n\r\n");
    const QString checksum = download + "Checksum Error, Program Download Halted!";
    // The wire up to the records: ident read, preparation, program mode.
    const std::string ident = identRead(), prepared = join({ident, "FF/55 02/55", writeOf(8181, 86),
                                                            writeOf(8176, 0), "FF/55"});
    const std::string programMode = join({prepared, "FF/55 03/55"});
    const struct {
        const char* name;
        QByteArray hex; // "-" for no file
        Setup setup;
        QString shown; // title: text (its start)
        Icon icon;
        bool onlineAfter, validAfter;
        std::string wire;
    } cases[] = {
        {"offline", end, Offline,
         download + "Program is Currently OFFLINE." + p + "Switch to ONLINE MODE to Continue.",
         Icon::Information, false, true, ""},
        {"invalid set", end, Invalid,
         download + "Currently Selected Program is Invalid." + p + "Program Download Halted!",
         Icon::Exclamation, true, false, ""},
        {"No to the detailed confirmation", end, Declined,
         "Program Download - [PROG0001]: Program to be loaded", Icon::Question, true, true, ident},
        {"bad HEX line, nothing sent", ":0201F000AB1250\r\n:0201F200AB1251\r\n" + end, Plain,
         "Program Dump: Currently Selected Program is Invalid.\r\n" + hexFile +
             " line 2: the record checksum is wrong." + p + "Program Download Halted!",
         Icon::Exclamation, true, false, ""},
        {"missing HEX file", "-", Plain,
         download + hexFile + " File Does Not Exist." + p + "Program Downloaded Halted",
         Icon::Information, true, true, ident},
        {"empty HEX file", "", Plain,
         download + hexFile + " File is Not Valid" + p + "Program Downloaded Halted",
         Icon::Exclamation, true, true, ident},
        {"wrong record sum", record, WrongSum, checksum, Icon::Exclamation, false, true,
         join({programMode, "02/- 01/- F0/- AB/- 12/B1"})},
        {"no record sum within a second", record, NoSum, checksum, Icon::Exclamation, false, true,
         join({programMode, "02/- 01/- F0/- AB/- 12/-"})},
        {"board stays in program mode", end, Stuck, download + "PLC did not Exit Program Mode!",
         Icon::Critical, false, true, join({programMode, "FF/00"})},
        {"configuration cannot be set", end, ConfigDrop,
         "Program Config Download: Could Not Set Program Configuration in PLC!", Icon::Critical,
         false, false,
         join({prepared, "FF/55 02/55", writeOf(8188, 20), writeOf(8189, 0), "1F/-"})},
        // The link stays up, but B8181 was never taken: nothing more is sent.
        {"a write the board does not echo", end, Unechoed,
         download + "Program Download Not Complete!", Icon::Critical, false, false,
         join({ident, "FF/55 02/55 1F/E0 FF/00 FF/00 FF/55 02/55 1F/E0"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(hexFile);
        if (c.hex != "-")
            writeHex(c.hex);
        goOnline();
        set.FileBoardType = c.setup == ConfigDrop ? ':' : '2';
        link.setProgramSet(set);
        link.setValidProgram(c.setup != Invalid);
        link.OnlineMode = c.setup != Offline;
        sim::BoardFaults& faults = board.faults();
        if (c.setup == WrongSum || c.setup == NoSum || c.setup == Stuck)
            faults.set(c.setup == WrongSum ? Fault::WrongRecordSum
                       : c.setup == NoSum  ? Fault::NoRecordSum
                                           : Fault::StayInProgramMode,
                       FaultPlan::always());
        if (c.setup == ConfigDrop) // at the third configuration write
            faults.set(Fault::LineDrop, FaultPlan::next(1, 22 + 2 + 6 + 6 + 1 + 2));
        if (c.setup == Unechoed) // every echo after the ident read
            faults.set(Fault::WrongEcho, FaultPlan::next(100, 10));
        prompter.clear();
        prompter.answerNext(c.setup == Declined ? Prompter::No : Prompter::Yes);
        link.DumpProgram();
        const auto& shown = prompter.messages();
        const auto match = std::find_if(shown.begin(), shown.end(), [&](const auto& m) {
            return (m.title + QStringLiteral(": ") + m.text).startsWith(c.shown);
        });
        ASSERT_NE(match, shown.end()) << prompter.last().text.toStdString();
        EXPECT_EQ(match->icon, c.icon);
        EXPECT_EQ(link.OnlineMode, c.onlineAfter);
        EXPECT_EQ(link.ValidProgram(), c.validAfter);
        EXPECT_FALSE(link.InProgramMode());
        EXPECT_EQ(wire(), c.wire);
        faults.clear();
        faults.restoreLine();
        link.CloseRSComm();
        board.resetLine();
    }
}
