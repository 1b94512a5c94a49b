#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabBar>

#include "BoardRig.h"
#include "Controls.h"
#include "TargetBoardFaults.h"
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
        return child<T>(&window, QLatin1String(name));
    }
    bool shown(const char* name) { return !find(name)->isHidden(); }
    bool enabled(const char* name) { return find(name)->isEnabled(); }
    QString text(const char* name) { return find<QLabel>(name)->text(); }
};

} // namespace

TEST_F(TargetBoardWindow, OnlinePassShowsCodesActionIdentAndOffersResetForEachCodeButTheSlot) {
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

    // Any fault or comm-error code offers the reset; the CO-CPU slot number does not.
    window.close();
    const std::pair<int, bool> cases[] = {
        {8176, true}, {8177, true}, {8179, true}, {8178, true}, {8175, false}};
    for (const auto& [address, offered] : cases) {
        for (int a = 8175; a <= 8179; ++a)
            board.memory().setByte(static_cast<std::uint16_t>(a), a == address ? 0x7A : 0);
        open("2"); // this board shows the slot
        EXPECT_EQ(enabled("cmdResetFaults"), offered) << address;
        window.close();
    }
}

TEST_F(TargetBoardWindow, EntryOutOfRangeIsRefusedTheDateWritesTwoDigitsRowsFollowTheBoard) {
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

    // The rows follow the board of the program file.
    const std::pair<const char*, const char*> cases[] = {
        {"2", "co-cpu"}, {"A", "network2 clock"}, {"6", "clock"}, {"=", "network1"}};
    for (const auto& [file, rows] : cases) {
        open(file);
        QStringList shownRows;
        for (const auto& [control, row] : {std::pair{"lblTargetBoard(2)", "co-cpu"},
                                           {"txtSetup(0)", "network1"},
                                           {"txtSetup(1)", "network2"}})
            if (shown(control))
                shownRows << row;
        if (enabled("txtSetup(2)") && enabled("cmdSetToCurrTime"))
            shownRows << "clock";
        EXPECT_EQ(shownRows.join(u' '), QLatin1String(rows)) << file;
        window.close();
    }
}

TEST(TargetBoardFaults, CorrectiveActionForEachClassOfLastFault) {
    const QString coCpu = "Replace CO-CPU board at \"CO-CPU Slot\" and try again.  If fault "
                          "persists, peplace R2217 processor board and try again.  If fault "
                          "persists, verify proper use of \"sfunc05/06/12\" in user program.";
    const QString cable = "Verify connection of cable between computer \"COM\" port and target "
                          "board \"PROG PORT\".  Verify cable wiring and connectors.  If fault "
                          "persists, replace target board and/or try a different computer.";
    const QString sfunc = "User program executed an sfunc09() system fault function call.  See "
                          "User program for details on source of fault and corrective action.";
    const QString invalid = "Program is invalid.  Re-dump program to target board.  If fault "
                            "persists, verify cable connections between computer and target "
                            "board.  If fault persists, replace target board.";
    const QString reset = "Reset fault and try again.  If fault persists, replace target board "
                          "and try again.  See Tekora Manual for more details.";
    const std::pair<int, QString> cases[] = {
        {0, "None"}, {1, coCpu},    {63, coCpu},   {64, reset}, {66, cable},  {69, sfunc},
        {91, reset}, {92, invalid}, {93, invalid}, {94, reset}, {122, reset}, {123, "None"}};
    for (const auto& [code, action] : cases)
        EXPECT_EQ(TargetBoardFaults::CorrectiveAction(code), action) << code;
}
