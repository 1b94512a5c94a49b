#include <QFile>

#include "BoardRig.h"
#include "QStringPrinter.h"

namespace {

const QString NotComplete = QStringLiteral("Program Upload Not Complete!\r\n\r\n");

class ProgramUpload : public BoardRigTest {
protected:
    ProgramSet set;
    bool onlineAfter = false;

    QByteArray file(const char* ext) const { return folder.read(QStringLiteral("PUMP.") + ext); }
    void upload(const QByteArray& programFile) {
        const QString stem = folder.filePath(QStringLiteral("PUMP."));
        set.ProgramFileName = stem + "tkp";
        set.RevisionFileName = stem + "rev";
        set.HexFileName = stem + "hex";
        set.ConfigFileName = stem + "lcf";
        ASSERT_TRUE(folder.write("PUMP.tkp", programFile));
        goOnline();
        link.setProgramSet(set);
        link.setInUploadMode(true);
        link.UploadProgram();
        EXPECT_FALSE(link.InUploadMode());
        onlineAfter = link.OnlineMode;
        link.CloseRSComm();
    }
};

} // namespace

TEST_F(ProgramUpload, ProgramReadBackIntoTheFileSet) {
    const int ident[10] = {'A', 'B', 'C', 0, 0, 0, 0, 0, 10, 0xAF};
    for (int k = 0; k < 10; ++k)
        board.memory().setByte(61424 + k, ident[k]);
    board.memory().setByte(0x5000, 0x12);
    // R2217: 5000H to FEFFH, no configuration; the board takes a read of FFxxH for attention.
    upload("2,project\r\n");
    EXPECT_EQ(file("rev"), QByteArray("ABC\0\0\0\0\0\x30::?\r\n", 14));
    const QList<QByteArray> lines = file("hex").split('\n');
    ASSERT_EQ(lines.size(), 2800 + 2);
    EXPECT_EQ(lines.first(), ":10500000120000000000000000000000000000008E\r");
    EXPECT_TRUE(lines.at(2799).startsWith(":10FEF000"));
    EXPECT_EQ(lines.at(2800), ":00000001FF\r");
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("Program Upload Complete!\r\n\r\nFF00H-FFFFH cannot be read over the "
                             "line and is not in the HEX file."));

    const int config[3] = {5, 7, 10}; // B8190, B8189, B8188
    for (int i = 0; i < 3; ++i)
        board.memory().setByte(8190 - i, config[i]);
    upload("A\r\n"); // T5514 takes a configuration
    const QByteArray lcf = "E" + QByteArray(34, '0') + "2" + "00" + "7" + "2" + "000%\r\n";
    EXPECT_EQ(file("lcf"), lcf);
    // Column 39 holds one digit: 12 would move LcfCode40 out of its column.
    board.memory().setByte(8189, 12);
    upload("A\r\n");
    EXPECT_EQ(prompter.last().text, NotComplete + "Configuration file not created: B8189 holds "
                                                  "12, which its one column cannot hold.");
    EXPECT_EQ(file("lcf"), lcf);
}

TEST_F(ProgramUpload, FailureMidMemoryKeepsTheOldHexFileAndTheNewRevisionFile) {
    upload("7\r\n"); // a PLS board has no program memory: the HEX file holds the end record
    // Ident: handshake and ten reads; then two bytes per read up to address 2345H.
    board.faults().set(sim::Fault::LineDrop, sim::FaultPlan::next(1, 2 + 20 + 2 * 0x345));
    upload("3\r\n"); // R2223: 2000H to 7FFFH
    EXPECT_EQ(link.CurrentProgramAdd(), QStringLiteral("2340H"));
    EXPECT_EQ(prompter.last().text, NotComplete + "HEX file not created.");
    EXPECT_EQ(file("hex"), ":00000001FF\r\n");
    EXPECT_EQ(file("rev"), QByteArray("VORNA7\0\0:?05\r\n", 14));

    board.faults().restoreLine();
    board.resetLine();
    // Opening, handshake and ten ident reads; the line drops at the first configuration byte.
    board.faults().set(sim::Fault::LineDrop, sim::FaultPlan::next(1, 1 + 2 + 20));
    upload("A\r\n"); // T5514
    EXPECT_EQ(prompter.last().text, NotComplete + "Configuration file not created.");
    EXPECT_EQ(file("lcf"), TempFolder::Missing);
    EXPECT_FALSE(onlineAfter);
}

// Reads spoilt by wrong echoes leave no link failure, so the upload must say it failed.
TEST_F(ProgramUpload, UnreadableIdentIsReportedAndWritesNoRevisionFile) {
    board.faults().set(sim::Fault::WrongEcho, sim::FaultPlan::always());
    upload("7\r\n");
    EXPECT_FALSE(link.CommError);
    EXPECT_EQ(prompter.last().text, NotComplete + "Revision file not created.");
    EXPECT_EQ(file("rev"), TempFolder::Missing);
}
