#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include "BoardRig.h"
#include "frmTargetBoard.h"

namespace {

class TargetBoardWindow : public BoardRigTest {
protected:
    frmTargetBoard window{link, prompter,
                          [this] { link.OnlineMode ? link.OpenRSComm(port) : link.CloseRSComm(); }};

    void open(const QByteArray& programFile) {
        ASSERT_TRUE(folder.write("PUMP.tkp", programFile));
        window.prepare(folder.filePath("PUMP.tkp"));
        window.show();
        window.RefreshPass();
    }
    template <typename T = QWidget> T* find(const char* name) {
        T* found = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool shown(const char* name) { return !find(name)->isHidden(); }
    bool enabled(const char* name) { return find(name)->isEnabled(); }
    QString text(const char* name) { return find<QLabel>(name)->text(); }
};

} // namespace

TEST_F(TargetBoardWindow, RowsFollowTheBoardOfTheProgramFile) {
    const std::pair<const char*, const char*> cases[] = {
        {"2", "co-cpu"}, {"A", "network2 clock"}, {"6", "clock"}, {"=", "network1"}};
    for (const auto& [file, rows] : cases) {
        open(file);
        QStringList shownRows;
        const std::pair<const char*, const char*> checks[] = {{"lblTargetBoard(2)", "co-cpu"},
                                                              {"txtSetup(0)", "network1"},
                                                              {"txtSetup(1)", "network2"}};
        for (const auto& [control, row] : checks)
            if (shown(control))
                shownRows << row;
        if (enabled("txtSetup(2)") && enabled("cmdSetToCurrTime"))
            shownRows << "clock";
        EXPECT_EQ(shownRows.join(u' '), QLatin1String(rows)) << file;
        window.close();
    }
}

TEST_F(TargetBoardWindow, OnlinePassShowsCodesActionIdentAndOffersReset) {
    board.memory().setByte(8177, 0x42);
    board.memory().setByte(8175, 3);
    ASSERT_TRUE(folder.write("PUMP.rev", "PROG0001:?05\r\n"));
    ASSERT_TRUE(folder.write("PUMP.hex", ":00000001FF\r\n"));
    // A description file that is there but cannot be read is said once, as the window's own.
    ASSERT_TRUE(QDir(folder.path()).mkpath("Support/FaultErrCodes.txt"));
    // A locale whose short form has a two-digit year and no seconds.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    open("2");
    QLocale::setDefault(QLocale::system());
    EXPECT_EQ(text("lblTargetBoard(0)"), QStringLiteral("Current Fault: Code = 00H"));
    EXPECT_EQ(text("lblTargetBoard(1)"), QStringLiteral("Last Fault: Code = 42H"));
    EXPECT_TRUE(find<QLineEdit>("txtTargetBoard(3)")->text().startsWith("Verify connection"));
    EXPECT_EQ(text("lblRevIdentInPLC(0)"), QStringLiteral("VORNA7"));
    EXPECT_TRUE(enabled("cmdResetFaults"));
    EXPECT_FALSE(shown("cmdGoOnline"));
    // The slot is read once with the codes and once more for its label.
    EXPECT_EQ(
        std::pair(QString::fromStdString(wire()).count("1F/1F EF/03"), text("lblTargetBoard(2)")),
        std::pair(qsizetype(2), QStringLiteral("CO-CPU Slot: 3")));
    // The whole year, and the seconds.
    EXPECT_TRUE(
        text("lblRevIdentOnDisk(4)").contains(QRegularExpression("\\d{4}.*:\\d\\d:\\d\\d")));
    EXPECT_EQ(std::pair(prompter.count(), (prompter.last().title + prompter.last().text).left(42)),
              std::pair(1, QString("TargetBoard FirstPassError Number = 75\r\n\r\n")));

    prompter.answerNext(Prompter::Yes);
    find<QPushButton>("cmdResetFaults")->click();
    EXPECT_EQ(board.memory().byte(8177), 0);
    EXPECT_FALSE(enabled("cmdResetFaults"));
}

TEST_F(TargetBoardWindow, EntryOutOfRangeIsRefusedAndDateButtonWritesTwoDigitYear) {
    window.setClock([] { return QDateTime(QDate(2031, 1, 17), QTime(9, 8, 7)); });
    open("A");
    find<QTabBar>("tabTargetBoard")->setCurrentIndex(2);
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QLineEdit* address = find<QLineEdit>("txtSetup(1)");
    address->setFocus();
    address->setText(QStringLiteral("33"));
    QTest::keyClick(address, Qt::Key_Return);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Set-upCurrent Network Address 2:"));
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("Only a Number Between 1 and 32 can be Entered"));
    EXPECT_EQ(board.memory().byte(8191), 1);
    address->setText(QStringLiteral("7"));
    QTest::keyClick(address, Qt::Key_Up); // accepted, written, then stepped by its up-down
    EXPECT_EQ(board.memory().byte(8191), 8);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "updSetup(1)");
    EXPECT_EQ(address->accessibleName(), QStringLiteral("Current Network Address 2:"));

    find<QPushButton>("cmdSetToCurrDate")->click();
    EXPECT_EQ(std::vector<int>({board.memory().byte(43016), board.memory().byte(43015),
                                board.memory().byte(43017)}),
              std::vector<int>({1, 17, 31}));
}
