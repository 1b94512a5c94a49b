#include <QDir>
#include <QFile>

#include "BoardRig.h"
#include "FaultCodeFile.h"
#include "QStringPrinter.h"

using LinkOnBoard = BoardRigTest;

TEST(BoardTypesTable, NamesAndConfigurationIndexes) {
    struct Case {
        int code;
        const char* name;
        const char* index;
    } cases[] = {
        {49, "R2205", "1"},
        {50, "R2217", "1"},
        {51, "R2223", "?"},
        {52, "R2241", "2"},
        {53, "R2256", "3"},
        {54, "R2238", "D"},
        {55, "R2279", ""},
        {56, "R2262", "F"},
        {57, "Not Defined", ""},
        {58, "K6603", "@"},
        {59, "K6619", "A"},
        {60, "K6627", "B"},
        {61, "K6632(PLC)", "C"},
        {62, "K6632(PLS)", ""},
        {63, "K6655", ""},
        {64, "K6661", ""},
        {65, "T5514", "E"},
        {66, "K6648(PLC)", ""},
        {67, "K6648(PLS)", ""},
        {68, "K6674(PLC)", "G"},
        {69, "K6674(PLS)", ""},
        {70, "F Is Not Defined.", ""},
        {48, "0 Is Not Defined.", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RSComm::TargetboardName(c.code), QString::fromLatin1(c.name)) << c.code;
        EXPECT_EQ(RSComm::LCFBoardIndex(c.code), QString::fromLatin1(c.index)) << c.code;
    }
}

TEST_F(LinkOnBoard, FirmwareRevisionOfflineIsMinusOneWithoutTouchingTheLine) {
    EXPECT_EQ(link.FirmwareRev(), -1);
    goOnline();
    link.CommError = true;
    EXPECT_EQ(link.FirmwareRev(), -1);
    EXPECT_EQ(wire(), "");
}

TEST_F(LinkOnBoard, FirmwareRevisionAndFaultCodeAreReadFromTheirBytes) {
    goOnline();
    board.memory().setByte(8159, 23);
    board.memory().setByte(8176, 0x5C);
    EXPECT_EQ(link.FirmwareRev(), 23);
    EXPECT_EQ(wire(), "FF/55 01/55 1F/1F DF/17");
    port.clearWire();
    EXPECT_EQ(link.FaultCode(), 0x5C);
    EXPECT_EQ(wire(), "1F/1F F0/5C");
}

TEST_F(LinkOnBoard, FaultCodeWithThePortClosedFailsAndLatches) {
    EXPECT_EQ(link.FaultCode(), 0);
    EXPECT_TRUE(link.CommError);
}

namespace {

void writeFaultFile(const QString& folder, const QString& supportName, const QByteArray& content) {
    QDir(folder).mkpath(supportName);
    QFile file(QDir(folder).filePath(supportName + QStringLiteral("/FaultErrCodes.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

TEST_F(LinkOnBoard, FaultDescriptionsComeFromTheRecordsOfTheFaultFile) {
    writeFaultFile(folder.path(), QStringLiteral("Support"),
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

TEST_F(LinkOnBoard, FaultFileIsFoundInALowerCaseSupportFolder) {
    writeFaultFile(folder.path(), QStringLiteral("support"), "05,Low air\r\n");
    EXPECT_EQ(link.FaultDescription(5), QStringLiteral("Fault Code (05H): Low air"));
}

TEST_F(LinkOnBoard, MissingFaultFileIsSaidInTheText) {
    EXPECT_EQ(link.FaultDescription(5),
              QStringLiteral("Fault Code (05H): --- Fault File Not Found ---"));
}

TEST_F(LinkOnBoard, UnreadableFaultFileShowsTheErrorAndReturnsThePrefix) {
    QDir(folder.path()).mkpath(QStringLiteral("Support/FaultErrCodes.txt"));
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
    QStringList codes;
    for (int code = 1; code <= 63; ++code)
        codes << FaultCodeFile::codeText(code);
    for (int code = 64; code <= 122; ++code)
        codes << FaultCodeFile::codeText(code);
    codes << QStringLiteral("42") << QStringLiteral("45") << QStringLiteral("5C")
          << QStringLiteral("5D");
    for (const QString& code : codes) {
        QString description;
        EXPECT_TRUE(FaultCodeFile::lookUp(content, code, &description)) << code.toStdString();
        EXPECT_FALSE(description.trimmed().isEmpty()) << code.toStdString();
    }
    QFile comm(support + QStringLiteral("CommErrCodes.txt"));
    EXPECT_TRUE(comm.exists());
}
