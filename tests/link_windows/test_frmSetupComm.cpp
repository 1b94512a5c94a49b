#include <QLabel>

#include "QtSerialPort.h"

#include "../program/ProgramTestFolder.h"
#include "CommPortDialogFixture.h"

namespace {
const QString kRangeMessage = QStringLiteral("Only a Number Between 1 and 99 can be Entered");
const QString kErrorNumber75 = QStringLiteral("Error Number = 75\r\n\r\n");
} // namespace

// ---- Loading ---------------------------------------------------------------------------------

TEST_F(CommPortDialogTest, LoadShowsTheSettingsTheArrowsStepAndLeavingOrSavingChecks) {
    const struct {
        const char* content; // nullptr: no settings file at all
        int shown, speedOption;
    } cases[] = {
        // How the file is read and clamped is the link's; these show both controls follow it.
        {nullptr, 1, 0},
        {"3,19200\r\n", 3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content ? c.content : "<none>");
        QFile::remove(path(QStringLiteral("Support/RSPort.cfg")));
        if (c.content)
            writeFile(QStringLiteral("Support/RSPort.cfg"), c.content);
        openDialog();
        EXPECT_EQ(entry()->text(), QString::number(c.shown));
        EXPECT_EQ(control<QSpinBox>("updCommPort")->value(), c.shown);
        EXPECT_TRUE(speed(c.speedOption)->isChecked() && !speed(1 - c.speedOption)->isChecked());
    }
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(ProgramTestFolder::captionsMissingFrom(dialog.get(), "comm-port.html"),
              QStringList());

    // Unreadable settings are reported and the defaults stay.
    QFile::remove(path(QStringLiteral("Support/RSPort.cfg")));
    makeFolder(QStringLiteral("Support/RSPort.cfg"));
    openDialog();
    ASSERT_EQ(prompter.count(), 1);
    expectInformation(QStringLiteral("SetupComm CurrentSettings"), kErrorNumber75);
    EXPECT_EQ(entry()->text(), "1");
    EXPECT_TRUE(speed(0)->isChecked());

    // The arrows step from the number typed; leaving the entry, or saving, checks it.
    const struct {
        const char* typed;
        bool refused;
    } entries[] = {
        // What is a number is Numbers' own.
        {"1", false}, {"99", false}, {"7.5", false}, {"100", true}, {"0", true}, {"abc", true},
    };
    // Up and Down in the entry move on to the up-down, which follows it in the tab order, and step.
    QTest::keyClick(entry(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "updCommPort");
    const struct {
        const char *typed, *shown;
        int steps;
    } steps[] = {{"7", "8", 1}, {"7", "5", -2}, {"99", "99", 1}, {"1", "1", -1}};
    for (const auto& c : steps) {
        entry()->setFocus(Qt::TabFocusReason);
        type(QString::fromLatin1(c.typed));
        for (int k = 0; k < std::abs(c.steps); ++k)
            QTest::keyClick(QApplication::focusWidget(), c.steps > 0 ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_EQ(entry()->text(), QString::fromLatin1(c.shown)) << c.typed << c.steps;
    }
    for (const auto& c : entries) {
        SCOPED_TRACE(c.typed);
        prompter.clear();
        entry()->setFocus();
        type(QString::fromLatin1(c.typed));
        QTest::keyClick(entry(), Qt::Key_Tab);
        ASSERT_EQ(prompter.count(), c.refused ? 1 : 0);
        if (c.refused)
            expectInformation(QStringLiteral("Comm Port"), kRangeMessage, true);
        EXPECT_EQ(QApplication::focusWidget() == entry(), c.refused) << "focus stays if refused";
        EXPECT_EQ(entry()->text(), QString::fromLatin1(c.typed)) << "the text is kept";
    }
    // Clicking Save with a refused entry shows the message too, and saves nothing.
    makeFolder(QStringLiteral("TEK51"));
    prompter.clear();
    type(QStringLiteral("100"));
    click(QStringLiteral("cmdSave"));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, kRangeMessage);
    EXPECT_TRUE(dialog->isVisible() && QApplication::focusWidget() == entry());
    EXPECT_EQ(settingsFile() + readFile("TEK51/TEKORA.SFG"), QByteArray("<missing><missing>"));
}

// ---- The port number entry ---------------------------------------------------------------------

// ---- Saving ------------------------------------------------------------------------------------

// Save writes the port file and the file of each tool folder there is; Return saves too, without
// the range message, clamping the number.
TEST_F(CommPortDialogTest, SaveWritesThePortFileAndEachExistingToolFile) {
    const QStringList all{"TEK51", "TEK96", "PLS51"};
    const struct {
        const char* typed;
        int speedOption;
        bool byReturn;
        QStringList toolFolders; // existing before saving
        QByteArray settings, toolFile;
    } cases[] = {
        {"3", 1, false, all, "3,19200\r\n", "2\r\n"},
        {"2.5", 0, false, {"TEK96"}, "2,9600\r\n", "1\r\n"}, // halves go to even
        {"150", 1, true, {"TEK51"}, "99,19200\r\n", "98\r\n"},
        {"0", 0, true, {"PLS51"}, "1,9600\r\n", "0\r\n"},
        {"6 ports", 0, true, {"TEK51"}, "6,9600\r\n", "5\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        for (const QString& tool : all)
            QDir(path(tool)).removeRecursively();
        for (const QString& tool : c.toolFolders)
            makeFolder(tool);
        openDialog();
        type(QString::fromLatin1(c.typed));
        speed(c.speedOption)->setChecked(true);
        if (c.byReturn)
            QTest::keyClick(entry(), Qt::Key_Return);
        else
            click(QStringLiteral("cmdSave"));
        EXPECT_TRUE(closedWith(QDialog::Accepted));
        EXPECT_EQ(settingsFile(), c.settings);
        for (const QString& tool : all) {
            const bool exists = c.toolFolders.contains(tool);
            EXPECT_EQ(readFile(tool + QStringLiteral("/TEKORA.SFG")),
                      exists ? c.toolFile : QByteArray("<missing>"))
                << tool.toStdString();
            EXPECT_EQ(QDir(path(tool)).exists(), exists) << "missing folders are not created";
        }
    }
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(port.openCount(), 0) << "saving offline leaves the link closed";

    // Tool folders and files are found whatever their case.
    for (const QString& tool : all)
        QDir(path(tool)).removeRecursively();
    writeFile(QStringLiteral("tek51/tekora.sfg"), "7\r\nold settings of the tool\r\n");
    makeFolder(QStringLiteral("Pls51"));
    openDialog();
    type(QStringLiteral("5"));
    click(QStringLiteral("cmdSave"));
    EXPECT_EQ(readFile("tek51/tekora.sfg"), QByteArray("4\r\n"));
    EXPECT_EQ(readFile("Pls51/TEKORA.SFG"), QByteArray("4\r\n"));
    EXPECT_FALSE(QFile::exists(path("tek51/TEKORA.SFG")));
    EXPECT_FALSE(QDir(path("TEK51")).exists());
}

// Saving online closes the link and opens it again with the new settings. If the board does
// not answer then, the dialog stays open with the link offline until a setting that works is
// saved. Which failures the link reports, and how, is the link's.
TEST_F(CommPortDialogTest, SavingOnlineReopensTheLinkStaysOpenWhileTheBoardIsSilentCancelKeepsIt) {
    goOnline();
    openDialog();
    type(QStringLiteral("4"));
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    click(QStringLiteral("cmdSave"));
    EXPECT_EQ(settingsFile(), QByteArray("4,9600\r\n"));
    EXPECT_TRUE(dialog->isVisible() && !link.OnlineMode);
    EXPECT_GE(prompter.count(), 1);
    board.faults().clear();
    prompter.clear();
    const int opens = port.openCount();
    type(QStringLiteral("5"));
    speed(1)->setChecked(true);
    click(QStringLiteral("cmdSave"));
    EXPECT_TRUE(closedWith(QDialog::Accepted));
    EXPECT_EQ(settingsFile(), QByteArray("5,19200\r\n"));
    EXPECT_TRUE(link.OnlineMode && port.isOpen());
    EXPECT_EQ(port.openCount(), opens + 1);
    EXPECT_EQ(QStringLiteral("%1 %2").arg(port.portNumber()).arg(port.settings()), "5 19200,n,8,1");
    EXPECT_EQ(prompter.count(), 0);

    // Cancel writes nothing and leaves the link as it was.
    makeFolder(QStringLiteral("TEK51"));
    const int opened = port.openCount();
    openDialog();
    type(QStringLiteral("100")); // even a refused entry does not hold Cancel back
    speed(0)->setChecked(true);
    port.clearWire();
    click(QStringLiteral("cmdCancel"));
    EXPECT_TRUE(closedWith(QDialog::Rejected));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(settingsFile(), QByteArray("5,19200\r\n"));
    EXPECT_FALSE(QFile::exists(path("TEK51/TEKORA.SFG")));
    EXPECT_TRUE(link.OnlineMode && port.isOpen());
    EXPECT_EQ(port.openCount(), opened);
    EXPECT_TRUE(port.wire().text().empty()) << "nothing was sent";
}

TEST_F(CommPortDialogTest, AFailedWriteIsReportedAndLeavesTheLinkClosed) {
    const struct {
        QString blocker; // a folder where the file should go
        QByteArray settingsAfter;
    } cases[] = {
        {QStringLiteral("Support/RSPort.cfg"), {}}, // the settings file itself is the folder
        {QStringLiteral("TEK51/TEKORA.SFG"), "4,9600\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.blocker.toStdString());
        for (const char* folder : {"Support", "TEK51", "TEK96"})
            QDir(path(QString::fromLatin1(folder))).removeRecursively();
        makeFolder(QStringLiteral("TEK51"));
        makeFolder(QStringLiteral("TEK96"));
        prompter.clear();
        goOnline();
        const int opens = port.openCount();
        QFile::remove(path(QStringLiteral("Support/RSPort.cfg")));
        openDialog();
        makeFolder(c.blocker);
        type(QStringLiteral("4"));
        click(QStringLiteral("cmdSave"));
        ASSERT_EQ(prompter.count(), 1);
        expectInformation(QStringLiteral("SetupComm"), kErrorNumber75);
        EXPECT_TRUE(prompter.last().text.contains(QDir::toNativeSeparators(path(c.blocker))))
            << prompter.last().text.toStdString();
        EXPECT_TRUE(dialog->isVisible() && !link.OnlineMode && !port.isOpen());
        EXPECT_EQ(port.openCount(), opens) << "not reopened";
        if (!c.settingsAfter.isEmpty()) {
            EXPECT_EQ(settingsFile(), c.settingsAfter);
        }
        EXPECT_EQ(readFile("TEK96/TEKORA.SFG"), QByteArray("<missing>"));
    }
}

// ---- Which device a number opens, and the ports of the computer ----

TEST_F(CommPortDialogTest, ThePortsAreListedADoubleClickChoosesOneAndItsDeviceIsShown) {
    writeFile(QStringLiteral("ttyUSB0"), "");
    writeFile(QStringLiteral("sim-pty"), "");
    alias(4, QStringLiteral("ttyUSB0"));
    alias(1, QStringLiteral("sim-pty"));
    devices = {{path("ttyUSB0"), "FT232R USB UART", "FTDI", {}, 0x0403, 0x6001},
               {QStringLiteral("/nonexistent/ttyXR0"), {}, {}, {}, {}, {}}};
    openDialog();
    auto* list = control<QTreeWidget>(QStringLiteral("lstSerialPorts"));
    const auto rows = [list] {
        QList<QStringList> shown;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            shown.append(QStringList());
            for (int column = 0; column < 4; ++column)
                shown.last().append(list->topLevelItem(row)->text(column));
        }
        return shown;
    };
    const QStringList usbRow{path("ttyUSB0"), "FT232R USB UART, FTDI", "USB 0403:6001", "4"};
    const QStringList aliasRow{path("sim-pty"), "reached through a port alias", "", "1"};
    EXPECT_EQ(rows(),
              (QList<QStringList>{usbRow, {"/nonexistent/ttyXR0", "", "", "none"}, aliasRow}));

    emit list->itemActivated(list->topLevelItem(0), 0);
    EXPECT_EQ(entry()->text(), "4");
    emit list->itemActivated(list->topLevelItem(1), 0);
    EXPECT_EQ(entry()->text(), "4") << "a port without a number changes nothing";

    // A port unplugged while the dialog is open goes away on Refresh.
    devices.clear();
    click(QStringLiteral("cmdRefreshPorts"));
    const QStringList usbAliasRow{path("ttyUSB0"), "reached through a port alias", "", "4"};
    EXPECT_EQ(rows(), (QList<QStringList>{aliasRow, usbAliasRow}));

    // Beside the number the dialog shows the device it opens.
    auto* label = control<QLabel>(QStringLiteral("lblPortDevice"));
    const QString aliased = QStringLiteral("Port 4 opens %1 -> %2, present")
                                .arg(path(QStringLiteral("Support/COM4")), path("ttyUSB0"));
    const QString outOfRange = QStringLiteral("Enter a port number from 1 to 99.");
    const std::pair<const char*, QString> cases[] = {
        {"4", aliased},
        {"5",
         QStringLiteral("Port 5 opens %1, not present").arg(QtSerialPort::platformPortName(5))},
        {"120", outOfRange}, // as for anything not a number
    };
    for (const auto& [typed, shown] : cases) {
        type(QString::fromLatin1(typed));
        EXPECT_EQ(label->text(), shown) << typed;
    }
    control<QSpinBox>(QStringLiteral("updCommPort"))->setValue(4);
    EXPECT_EQ(label->text(), aliased) << "the arrows update it too";
}
