#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "Board.h"
#include "BoardSerialPort.h"
#include "RSComm.h"
#include "ScriptedPrompter.h"
#include "VirtualClock.h"
#include "frmTargetBoard.h"

namespace {

class TargetBoardWindow : public ::testing::Test {
protected:
    QTemporaryDir folder;
    VirtualClock clock;
    ScriptedPrompter prompter;
    sim::Board board;
    BoardSerialPort port{board, clock};
    RSComm link{folder.path(), clock, prompter};
    frmTargetBoard window{link, prompter, folder.path(), [this] {
                              if (link.OnlineMode)
                                  link.OpenRSComm(port);
                              else
                                  link.CloseRSComm();
                          }};

    void open(const QByteArray& programFile) {
        const QString path = folder.filePath(QStringLiteral("PUMP.tkp"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(programFile);
        file.close();
        window.prepare(path);
        window.show();
        window.RefreshPass();
    }
    template <typename T> T* find(const QString& name) {
        T* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    bool shown(const QString& name) { return !find<QWidget>(name)->isHidden(); }
    bool enabled(const QString& name) { return find<QWidget>(name)->isEnabled(); }
};

} // namespace

TEST_F(TargetBoardWindow, RowsFollowTheBoardOfTheProgramFile) {
    const struct {
        const char* file;
        bool coCpu, network1, network2, clock;
    } cases[] = {{"2", true, false, false, false},
                 {"A", false, false, true, true},
                 {"6", false, false, false, true},
                 {"=", false, true, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        open(c.file);
        EXPECT_EQ(shown(QStringLiteral("lblTargetBoard(2)")), c.coCpu);
        EXPECT_EQ(shown(QStringLiteral("txtSetup(0)")), c.network1);
        EXPECT_EQ(shown(QStringLiteral("txtSetup(1)")), c.network2);
        EXPECT_EQ(enabled(QStringLiteral("txtSetup(2)")), c.clock);
        EXPECT_EQ(enabled(QStringLiteral("cmdSetToCurrTime")), c.clock);
        window.close();
    }
}

TEST_F(TargetBoardWindow, OnlinePassShowsCodesActionIdentAndOffersReset) {
    board.memory().setByte(8177, 0x42);
    open("=");
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblTargetBoard(0)"))->text(),
              QStringLiteral("Current Fault: Code = 00H"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblTargetBoard(1)"))->text(),
              QStringLiteral("Last Fault: Code = 42H"));
    EXPECT_TRUE(find<QLineEdit>(QStringLiteral("txtTargetBoard(3)"))
                    ->text()
                    .startsWith(QStringLiteral("Verify connection of cable")));
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblRevIdentInPLC(0)"))->text(),
              QStringLiteral("VORNA7"));
    EXPECT_TRUE(enabled(QStringLiteral("cmdResetFaults")));
    EXPECT_FALSE(shown(QStringLiteral("cmdGoOnline")));

    prompter.answerNext(Prompter::Yes);
    find<QPushButton>(QStringLiteral("cmdResetFaults"))->click();
    EXPECT_EQ(board.memory().byte(8177), 0);
    EXPECT_FALSE(enabled(QStringLiteral("cmdResetFaults")));
}

TEST_F(TargetBoardWindow, EntryOutOfRangeIsRefusedAndDateButtonWritesTwoDigitYear) {
    window.setClock([] { return QDateTime(QDate(2031, 1, 17), QTime(9, 8, 7)); });
    open("A");
    QLineEdit* address = find<QLineEdit>(QStringLiteral("txtSetup(1)"));
    address->setFocus();
    address->setText(QStringLiteral("33"));
    QTest::keyClick(address, Qt::Key_Return);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Set-upCurrent Network Address 2:"));
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("Only a Number Between 1 and 32 can be Entered"));
    EXPECT_EQ(board.memory().byte(8191), 1);

    find<QPushButton>(QStringLiteral("cmdSetToCurrDate"))->click();
    EXPECT_EQ(board.memory().byte(43016), 1);
    EXPECT_EQ(board.memory().byte(43015), 17);
    EXPECT_EQ(board.memory().byte(43017), 31);

    window.close(); // the close box ends the cycle as Ok does
    EXPECT_FALSE(window.windowActive());
}
