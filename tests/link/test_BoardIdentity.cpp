#include <QFile>

#include "BoardRig.h"
#include "FaultCodeFile.h"
#include "QStringPrinter.h"

using LinkOnBoard = BoardRigTest;

// The names themselves are a table of the board's makers; only the edges are checked here.
TEST(BoardTypesTable, UnknownCodesAndIndexesWithoutAConfiguration) {
    EXPECT_EQ(RSComm::TargetboardName(61), QStringLiteral("K6632(PLC)"));
    EXPECT_EQ(RSComm::TargetboardName(57), QStringLiteral("Not Defined"));
    EXPECT_EQ(RSComm::TargetboardName(70), QStringLiteral("F Is Not Defined."));
    EXPECT_EQ(RSComm::TargetboardName(48), QStringLiteral("0 Is Not Defined."));
    EXPECT_EQ(RSComm::LCFBoardIndex(61), QStringLiteral("C"));
    EXPECT_EQ(RSComm::LCFBoardIndex(62), QString());
}

// Offline or after a failure the revision is -1 and the line is left alone.
TEST_F(LinkOnBoard, FirmwareRevisionAndFaultCodeAreReadFromTheirBytes) {
    EXPECT_EQ(link.FirmwareRev(), -1);
    goOnline();
    board.memory().setByte(8159, 23);
    board.memory().setByte(8176, 0x5C);
    EXPECT_EQ(link.FirmwareRev(), 23);
    EXPECT_EQ(wire(), "FF/55 01/55 1F/1F DF/17");
    port.clearWire();
    EXPECT_EQ(link.FaultCode(), 0x5C);
    EXPECT_EQ(wire(), "1F/1F F0/5C");
    port.clearWire();
    link.CommError = true;
    EXPECT_EQ(link.FirmwareRev(), -1);
    EXPECT_EQ(wire(), "");
}

TEST_F(LinkOnBoard, FaultDescriptionsComeFromTheRecordsOfTheFaultFile) {
    folder.write(QStringLiteral("Support/FaultErrCodes.txt"),
                 "01,Stop button pressed\r\n"
                 "0a,\"Brake slow, check wear\"\r\n"
                 "   1F ,  Guard open  \r\n"
                 "\r\n"
                 "\"FF\",\"Watchdog\"\r\n"
                 "0A,second record for 0A is never reached\r\n"
                 "FFFF,Negative code\r\n"
                 "5C,\"Quoted, with \"\"more\"\r\n");
    struct Case {
        int code;
        const char* text;
    } cases[] = {
        {1, "Fault Code (01H): Stop button pressed"},
        {10, "Fault Code (0AH): Brake slow, check wear"},
        {31, "Fault Code (1FH): Guard open"},
        {255, "Fault Code (FFH): Watchdog"},
        {0, "Fault Code (00H): "},
        {-1, "Fault Code (FFFFH): Negative code"},
        {0x123, "Fault Code (123H): "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(link.FaultDescription(c.code), QString::fromLatin1(c.text)) << c.code;
    EXPECT_EQ(prompter.count(), 0);
}

// The application folder's own file may sit in a lower-case support folder.
TEST_F(LinkOnBoard, ShippedFaultFileServesUnlessTheApplicationFolderHasItsOwn) {
    EXPECT_EQ(link.FaultDescription(5),
              QStringLiteral("Fault Code (05H): --- Fault File Not Found ---"));
    TempFolder shipped;
    ASSERT_TRUE(shipped.write(QStringLiteral("Support/FaultErrCodes.txt"), "05,Low air\r\n"));
    link.setShippedFolder(shipped.path());
    EXPECT_EQ(link.FaultDescription(5), QStringLiteral("Fault Code (05H): Low air"));
    ASSERT_TRUE(folder.write(QStringLiteral("support/FaultErrCodes.txt"), "05,Own text\r\n"));
    EXPECT_EQ(link.FaultDescription(5), QStringLiteral("Fault Code (05H): Own text"));
}

TEST_F(LinkOnBoard, UnreadableFaultFileShowsTheErrorAndReturnsThePrefix) {
    folder.makeFolder(QStringLiteral("Support/FaultErrCodes.txt"));
    EXPECT_EQ(link.FaultDescription(7), QStringLiteral("Fault Code (07H): "));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("RSComm FaultDescription"));
    EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("Error Number = ")));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Information);
    EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::OK);
}

TEST(ShippedFaultFiles, EveryCodeTheProgramRefersToHasADescription) {
    const QString support = QStringLiteral(VORNA7_BIN_DIR "/Support/");
    QFile faults(support + QStringLiteral("FaultErrCodes.txt"));
    ASSERT_TRUE(faults.open(QIODevice::ReadOnly));
    const QByteArray content = faults.readAll();
    for (int code = 1; code <= 122; ++code) {
        QString description;
        EXPECT_TRUE(FaultCodeFile::lookUp(content, FaultCodeFile::codeText(code), &description))
            << code;
        EXPECT_FALSE(description.trimmed().isEmpty()) << code;
    }
    QFile comm(support + QStringLiteral("CommErrCodes.txt"));
    EXPECT_TRUE(comm.exists());
}
