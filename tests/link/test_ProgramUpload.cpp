#include <QFile>

#include "LinkFixture.h"
#include "QStringPrinter.h"

namespace {

class ProgramUpload : public LinkFixture {
protected:
    ProgramSet set;

    void SetUp() override {
        const QString stem = folder.filePath(QStringLiteral("PUMP."));
        set.ProgramFileName = stem + QStringLiteral("tkp");
        set.RevisionFileName = stem + QStringLiteral("rev");
        set.HexFileName = stem + QStringLiteral("hex");
        set.ConfigFileName = stem + QStringLiteral("lcf");
    }
    QByteArray file(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void upload(const QByteArray& programFile) {
        QFile f(set.ProgramFileName);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(programFile);
        f.close();
        goOnline();
        link.setProgramSet(set);
        link.setInUploadMode(true);
        link.UploadProgram();
        EXPECT_FALSE(link.InUploadMode());
    }
};

} // namespace

TEST_F(ProgramUpload, K6674ProgramReadBackIntoTheFileSet) {
    const char ident[] = "ABC";
    for (int k = 0; k < 8; ++k)
        board.memory().setByte(61424 + k, k < 3 ? ident[k] : 0);
    board.memory().setByte(61432, 10);
    board.memory().setByte(61433, 0xAF);
    board.memory().setByte(0x4000, 0x12);
    upload("D,project\r\n");
    EXPECT_EQ(file(set.RevisionFileName), QByteArray("ABC\0\0\0\0\0"
                                                     "0:"
                                                     ":?\r\n",
                                                     14));
    const QList<QByteArray> lines = file(set.HexFileName).split('\n');
    ASSERT_EQ(lines.size(), 2048 + 2);
    EXPECT_EQ(lines.first(), ":10400000120000000000000000000000000000009E\r");
    EXPECT_TRUE(lines.at(2047).startsWith(":10BFF000"));
    EXPECT_EQ(lines.at(2048), ":00000001FF\r");
    EXPECT_EQ(file(set.ConfigFileName), "<missing>");
    EXPECT_EQ(prompter.last().text, QStringLiteral("Program Upload Complete!"));
    EXPECT_TRUE(link.OnlineMode);
}

TEST_F(ProgramUpload, ConfigurationFileOfAConfiguredBoardAndAPLSBoardWithoutMemory) {
    board.memory().setByte(8190, 5);
    board.memory().setByte(8189, 7);
    board.memory().setByte(8188, 10);
    upload("A\r\n"); // T5514
    EXPECT_EQ(file(set.ConfigFileName),
              "E" + QByteArray(34, '0') + "2" + "00" + "7" + "2" + "000%\r\n");
    link.CloseRSComm();
    upload("7\r\n"); // a PLS board has no program memory to read
    EXPECT_EQ(file(set.HexFileName), ":00000001FF\r\n");
}

TEST_F(ProgramUpload, FailureMidMemoryKeepsTheOldHexFileAndTheNewRevisionFile) {
    QFile old(set.HexFileName);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(":00000001FF\r\n");
    old.close();
    // Ident: handshake and ten reads; then two bytes per read up to address 2345H.
    board.faults().set(sim::Fault::LineDrop, sim::FaultPlan::next(1, 2 + 20 + 2 * 0x345));
    upload("3\r\n"); // R2223: 2000H to 7FFFH
    EXPECT_EQ(link.CurrentProgramAdd(), QStringLiteral("2340H"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Program Upload"));
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("Program Upload Not Complete!\r\n\r\nHEX file not created."));
    EXPECT_EQ(file(set.HexFileName), ":00000001FF\r\n");
    EXPECT_EQ(file(set.RevisionFileName).size(), 8 + 4 + 2);
    EXPECT_FALSE(link.OnlineMode);
}

TEST_F(ProgramUpload, PageFFxxThatTheBoardTakesForAttentionIsNotInventedAsZeros) {
    upload("2\r\n"); // R2217: 5000H to FFFFH
    EXPECT_EQ(link.CurrentProgramAdd(), QStringLiteral("FF00H"));
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("Program Upload Not Complete!\r\n\r\nHEX file not created."));
    EXPECT_EQ(file(set.HexFileName), "<missing>");
}
