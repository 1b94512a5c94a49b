#include <QFile>

#include "BoardRig.h"
#include "QStringPrinter.h"

namespace {

class ProgramUpload : public BoardRigTest {
protected:
    ProgramSet set;

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
        link.CloseRSComm();
    }
};

} // namespace

TEST_F(ProgramUpload, ProgramReadBackIntoTheFileSet) {
    const int ident[10] = {'A', 'B', 'C', 0, 0, 0, 0, 0, 10, 0xAF};
    for (int k = 0; k < 10; ++k)
        board.memory().setByte(61424 + k, ident[k]);
    board.memory().setByte(0x4000, 0x12);
    upload("D,project\r\n"); // K6674: 4000H to BFFFH, no configuration
    EXPECT_EQ(file("rev"), QByteArray("ABC\0\0\0\0\0"
                                      "0:"
                                      ":?\r\n",
                                      14));
    const QList<QByteArray> lines = file("hex").split('\n');
    ASSERT_EQ(lines.size(), 2048 + 2);
    EXPECT_EQ(lines.first(), ":10400000120000000000000000000000000000009E\r");
    EXPECT_TRUE(lines.at(2047).startsWith(":10BFF000"));
    EXPECT_EQ(lines.at(2048), ":00000001FF\r");
    EXPECT_EQ(prompter.last().text, QStringLiteral("Program Upload Complete!"));

    const int config[3] = {5, 7, 10}; // B8190, B8189, B8188
    for (int i = 0; i < 3; ++i)
        board.memory().setByte(8190 - i, config[i]);
    upload("A\r\n"); // T5514 takes a configuration
    EXPECT_EQ(file("lcf"), "E" + QByteArray(34, '0') + "2" + "00" + "7" + "2" + "000%\r\n");
    upload("7\r\n"); // a PLS board has no program memory to read
    EXPECT_EQ(file("hex"), ":00000001FF\r\n");
}

TEST_F(ProgramUpload, FailureMidMemoryKeepsTheOldHexFileAndTheNewRevisionFile) {
    upload("7\r\n");
    // Ident: handshake and ten reads; then two bytes per read up to address 2345H.
    board.faults().set(sim::Fault::LineDrop, sim::FaultPlan::next(1, 2 + 20 + 2 * 0x345));
    upload("3\r\n"); // R2223: 2000H to 7FFFH
    EXPECT_EQ(link.CurrentProgramAdd(), QStringLiteral("2340H"));
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("Program Upload Not Complete!\r\n\r\nHEX file not created."));
    EXPECT_EQ(file("hex"), ":00000001FF\r\n");
    EXPECT_EQ(file("rev"), QByteArray("VORNA7\0\0:?05\r\n", 14));
}

// Reads spoilt by wrong echoes leave no link failure, so the upload must say it failed.
TEST_F(ProgramUpload, UnreadableIdentIsReportedAndWritesNoRevisionFile) {
    board.faults().set(sim::Fault::WrongEcho, sim::FaultPlan::always());
    upload("7\r\n");
    EXPECT_FALSE(link.CommError);
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("Program Upload Not Complete!\r\n\r\nRevision file not created."));
    EXPECT_EQ(file("rev"), TempFolder::Missing);
}
