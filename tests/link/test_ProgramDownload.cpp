#include <QFile>
#include <array>
#include <cstring>

#include "LinkFixture.h"
#include "QStringPrinter.h"

namespace {

using sim::Fault;
using sim::FaultPlan;

std::string hex2(int value) {
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper().toStdString();
}
// One byte read in read mode: address high and low, each answered.
std::string readOf(int address, int value) {
    return hex2(address >> 8) + "/" + hex2(address >> 8) + " " + hex2(address) + "/" + hex2(value);
}
// One byte written in write mode: address high, low and data, each echoed.
std::string writeOf(int address, int value) {
    return hex2(address >> 8) + "/" + hex2(address >> 8) + " " + hex2(address) + "/" +
           hex2(address) + " " + hex2(value) + "/" + hex2(value);
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

std::string identRead(const std::array<int, 10>& bytes = FreshIdent) {
    std::string text = "FF/55 01/55";
    for (int k = 0; k < 10; ++k)
        text += " " + readOf(61424 + k, bytes[k]);
    return text;
}

std::string identWrite(const char* ident, int checksum, int revision) {
    std::string text = "FF/55 02/55";
    for (int k = 0; k < 8; ++k)
        text += " " + writeOf(61424 + k, k < int(strlen(ident)) ? ident[k] : 0);
    return text + " " + writeOf(61432, checksum) + " " + writeOf(61433, revision);
}

class ProgramDownload : public LinkFixture {
protected:
    ProgramSet set;

    void SetUp() override {
        set.HexFileName = folder.filePath(QStringLiteral("PUMP.hex"));
        set.FileBoardType = '2';
        set.FileBoardName = QStringLiteral("R2217");
        set.ProgramIdent = QStringLiteral("PROG0001");
        set.ProgramChecksum = QStringLiteral("175");
        set.ProgramRevision = QStringLiteral("5");
    }
    void writeHex(const QByteArray& content) {
        QFile file(set.HexFileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    // Online, the set chosen and valid, Yes to the detailed confirmation.
    void dump(int answer = Prompter::Yes) {
        goOnline();
        link.setProgramSet(set);
        link.setValidProgram(true);
        prompter.answerNext(answer);
        link.DumpProgram();
        EXPECT_FALSE(link.InProgramMode());
    }
};

} // namespace

TEST_F(ProgramDownload, SequencesOnTheWireAndInTheBoard) {
    struct Case {
        const char* name;
        int boardType;
        QByteArray hex;
        std::string records;       // between entering program mode and leaving it
        std::string configuration; // between the two attention bytes
    } cases[] = {
        {"end record only", '2', ":00000001FF\r\n", "", ""},
        {"one record, type and checksum not sent", '2', ":0201F000AB1250\r\n:00000001FF\r\n",
         "02/- 01/- F0/- AB/- 12/B0", ""},
        {"configuration board writes its three bytes", ':', ":00000001FF\r\n", "",
         join({"FF/55 02/55", writeOf(8188, 20), writeOf(8189, 0), writeOf(8190, 12)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int k = 0; k < 10; ++k)
            board.memory().setByte(61424 + k, FreshIdent[k]);
        set.FileBoardType = c.boardType;
        writeHex(c.hex);
        dump();
        EXPECT_EQ(wire(), join({identRead(), "FF/55 02/55", writeOf(8181, 86), writeOf(8176, 0),
                                "FF/55", c.configuration, "FF/55 03/55", c.records, "FF/55",
                                identWrite("PROG0001", 175, 5)}));
        ASSERT_GE(prompter.count(), 2);
        EXPECT_EQ(prompter.last().text, QStringLiteral("Program Download Complete!"));
        EXPECT_TRUE(link.OnlineMode);
        EXPECT_FALSE(link.ValidProgram());
        link.CloseRSComm();
        prompter.clear();
    }
    EXPECT_EQ(board.memory().byte(0x01F0), 0xAB);
    EXPECT_EQ(board.memory().byte(0x01F1), 0x12);
}

TEST_F(ProgramDownload, DetailedConfirmationShowsDiskAndBoard) {
    writeHex(":00000001FF\r\n");
    std::array<int, 10> ident = FreshIdent;
    ident[2] = 3; // a control character is left out of the board's ident
    board.memory().setByte(61426, 3);
    dump(Prompter::No);
    const ScriptedPrompter::Message& asked = prompter.last();
    EXPECT_EQ(asked.title, QStringLiteral("Program Download - [PROG0001]"));
    EXPECT_EQ(asked.text, QStringLiteral("Program to be loaded into module (on disk):\r\n"
                                         "  Program Ident: \t\tPROG0001\r\n"
                                         "  Program Revision: \t\t5\r\n"
                                         "  Program Checksum: \t175\r\n"
                                         "  Target Board: \t\tR2217\r\n\r\n"
                                         "Program currently loaded in module:\r\n"
                                         "  Program Ident: \t\tVONA7\r\n"
                                         "  Program Revision: \t\t5\r\n"
                                         "  Program Checksum: \t175\r\n\r\n"
                                         "Entire program file will be dumped to the PLC.\r\n"
                                         "All outputs are off while program dump occurrs.\r\n\r\n"
                                         "Do You Wish to Continue?\r\n"));
    EXPECT_EQ(asked.buttons, Prompter::Buttons::YesNoCancel);
    EXPECT_EQ(wire(), identRead(ident)) << "No sends nothing after the ident read";
    EXPECT_TRUE(link.OnlineMode);
    EXPECT_TRUE(link.ValidProgram());
}

TEST_F(ProgramDownload, IdentIsPaddedWithZerosOrCutToEightCharacters) {
    const struct {
        const char* ident;
        const char* written;
    } cases[] = {{" AB12C ", "AB12C"}, {"LONGPROGRAM", "LONGPROG"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ident);
        set.ProgramIdent = QString::fromLatin1(c.ident);
        writeHex(":00000001FF\r\n");
        dump();
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(board.memory().byte(61424 + k),
                      k < int(strlen(c.written)) ? c.written[k] : 0);
        link.CloseRSComm();
    }
}

TEST_F(ProgramDownload, RefusalsAndFailures) {
    using Icon = Prompter::Icon;
    struct Case {
        const char* name;
        QByteArray hex; // "-" for no file
        std::function<void(RSComm&, sim::Board&)> arrange;
        QString title;
        QString text;
        Icon icon;
        bool onlineAfter;
        bool validAfter;
        bool sentNothing;
    };
    const QString hexPath = folder.filePath(QStringLiteral("PUMP.hex"));
    const Case cases[] = {
        {"offline", ":00000001FF\r\n", [](RSComm& link, sim::Board&) { link.OnlineMode = false; },
         "Program Download",
         "Program is Currently OFFLINE.\r\n\r\nSwitch to ONLINE MODE to Continue.",
         Icon::Information, false, true, true},
        {"invalid set", ":00000001FF\r\n",
         [](RSComm& link, sim::Board&) { link.setValidProgram(false); }, "Program Download",
         "Currently Selected Program is Invalid.\r\n\r\nProgram Download Halted!",
         Icon::Exclamation, true, false, true},
        {"bad HEX line refused before the board is touched",
         ":0201F000AB1250\r\n:0201F200AB1251\r\n:00000001FF\r\n", nullptr, "Program Dump",
         "Currently Selected Program is Invalid.\r\n" + hexPath +
             " line 2: the record checksum is wrong.\r\n\r\nProgram Download Halted!",
         Icon::Exclamation, true, false, true},
        {"missing HEX file", "-", nullptr, "Program Download",
         hexPath + " File Does Not Exist.\r\n\r\nProgram Downloaded Halted", Icon::Information,
         true, true, false},
        {"empty HEX file", "", nullptr, "Program Download",
         hexPath + " File is Not Valid\r\n\r\nProgram Downloaded Halted", Icon::Exclamation, true,
         true, false},
        {"wrong record sum", ":0201F000AB1250\r\n:00000001FF\r\n",
         [](RSComm&, sim::Board& board) {
             board.faults().set(Fault::WrongRecordSum, FaultPlan::always());
         },
         "Program Download", "Checksum Error, Program Download Halted!", Icon::Exclamation, false,
         true, false},
        {"no record sum within a second", ":0201F000AB1250\r\n:00000001FF\r\n",
         [](RSComm&, sim::Board& board) {
             board.faults().set(Fault::NoRecordSum, FaultPlan::always());
         },
         "Program Download", "Checksum Error, Program Download Halted!", Icon::Exclamation, false,
         true, false},
        {"board stays in program mode", ":00000001FF\r\n",
         [](RSComm&, sim::Board& board) {
             board.faults().set(Fault::StayInProgramMode, FaultPlan::always());
         },
         "Program Download", "PLC did not Exit Program Mode!", Icon::Critical, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(hexPath);
        if (c.hex != "-")
            writeHex(c.hex);
        goOnline();
        link.setProgramSet(set);
        link.setValidProgram(true);
        if (c.arrange)
            c.arrange(link, board);
        prompter.clear();
        prompter.answerNext(Prompter::Yes);
        link.DumpProgram();
        ASSERT_GE(prompter.count(), 1);
        EXPECT_EQ(prompter.last().title, c.title);
        EXPECT_EQ(prompter.last().text, c.text);
        EXPECT_EQ(prompter.last().icon, c.icon);
        EXPECT_EQ(link.OnlineMode, c.onlineAfter);
        EXPECT_EQ(link.ValidProgram(), c.validAfter);
        EXPECT_FALSE(link.InProgramMode());
        if (c.sentNothing) {
            EXPECT_EQ(wire(), "");
        }
        board.faults().clear();
        link.CloseRSComm();
        board.resetLine();
    }
}

TEST_F(ProgramDownload, ConfigurationThatCannotBeSetEndsNotComplete) {
    set.FileBoardType = ':';
    writeHex(":00000001FF\r\n");
    goOnline();
    link.setProgramSet(set);
    link.setValidProgram(true);
    prompter.answerNext(Prompter::Yes);
    // The line drops at the first configuration byte (after ident read and preparation).
    board.faults().set(Fault::LineDrop, FaultPlan::next(1, 22 + 2 + 6 + 6 + 1 + 2));
    link.DumpProgram();
    QStringList shown;
    for (const auto& m : prompter.messages())
        shown << m.title + QStringLiteral(": ") + m.text;
    EXPECT_TRUE(shown.contains(
        QStringLiteral("Program Config Download: Could Not Set Program Configuration in PLC!")));
    EXPECT_EQ(prompter.last().text, QStringLiteral("Program Download Not Complete!"));
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_FALSE(link.ValidProgram());
}
