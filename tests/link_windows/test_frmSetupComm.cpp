#include <QGroupBox>
#include <QLabel>

#include "QtSerialPort.h"

#include "CommPortDialogFixture.h"

// ---- Loading ---------------------------------------------------------------------------------

TEST_F(CommPortDialogTest, ControlsCarryTheirNamesCaptionsAndRange) {
    openDialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Comm Port Settings"));
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("fraCommPort"))->title(),
              QStringLiteral("Comm Port"));
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("fraPortSpeed"))->title(),
              QStringLiteral("Port Speed"));
    EXPECT_EQ(speed(0)->text(), QStringLiteral("9600"));
    EXPECT_EQ(speed(1)->text(), QStringLiteral("19200"));
    EXPECT_EQ(control<QPushButton>(QStringLiteral("cmdSave"))->text(), QStringLiteral("&Save"));
    EXPECT_EQ(control<QPushButton>(QStringLiteral("cmdCancel"))->text(), QStringLiteral("&Cancel"));
    auto* upDown = control<QSpinBox>(QStringLiteral("updCommPort"));
    EXPECT_EQ(upDown->minimum(), 1);
    EXPECT_EQ(upDown->maximum(), 99);
    EXPECT_EQ(upDown->singleStep(), 1);
}

TEST_F(CommPortDialogTest, LoadShowsTheSavedSettingsClamped) {
    struct Case {
        const char* content; // nullptr: no settings file at all
        const char* shown;
        int speedOption;
    } cases[] = {
        {nullptr, "1", 0},         {"", "1", 0},
        {"0,19200\r\n", "1", 1},   {"3,19200\r\n", "3", 1},
        {"120,9600\r\n", "99", 0}, {" 7 , 4800\r\n", "7", 0},
        {"-5,19200\r\n", "1", 1},  {"abc\r\n", "1", 0},
        {"12,19200", "12", 1},
    };
    for (const Case& c : cases) {
        QFile::remove(path(QStringLiteral("Support/RSPort.cfg")));
        if (c.content)
            writeFile(QStringLiteral("Support/RSPort.cfg"), c.content);
        openDialog();
        const char* label = c.content ? c.content : "<none>";
        EXPECT_EQ(entry()->text(), QString::fromLatin1(c.shown)) << label;
        EXPECT_TRUE(speed(c.speedOption)->isChecked()) << label;
        EXPECT_FALSE(speed(1 - c.speedOption)->isChecked()) << label;
        EXPECT_EQ(control<QSpinBox>(QStringLiteral("updCommPort"))->value(),
                  QByteArray(c.shown).toInt())
            << label;
        dialog.reset();
    }
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(CommPortDialogTest, UnreadableSettingsAreReportedAndTheDefaultsStay) {
    makeFolder(QStringLiteral("Support/RSPort.cfg"));
    openDialog();
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("SetupComm CurrentSettings"));
    EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("Error Number = 75\r\n\r\n")))
        << prompter.last().text.toStdString();
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Information);
    EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::OK);
    EXPECT_EQ(entry()->text(), QStringLiteral("1"));
    EXPECT_TRUE(speed(0)->isChecked());
}

// ---- The port number entry ---------------------------------------------------------------------

TEST_F(CommPortDialogTest, LeavingTheEntryChecksTheNumberAndRange) {
    struct Case {
        const char* typed;
        bool refused;
    } cases[] = {
        {"100", true},  {"0", true},    {"-1", true},   {"abc", true}, {"", true},
        {"3x", true},   {"99.5", true}, {"1", false},   {"99", false}, {" 42 ", false},
        {"7.5", false}, {"+8", false},  {".5e1", true},
    };
    openDialog();
    for (const Case& c : cases) {
        prompter.clear();
        entry()->setFocus();
        type(QString::fromLatin1(c.typed));
        leaveEntry();
        if (c.refused) {
            ASSERT_EQ(prompter.count(), 1) << c.typed;
            EXPECT_EQ(prompter.last().title, QStringLiteral("Comm Port"));
            EXPECT_EQ(prompter.last().text,
                      QStringLiteral("Only a Number Between 1 and 99 can be Entered"));
            EXPECT_EQ(prompter.last().icon, Prompter::Icon::Information);
            EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::OK);
            EXPECT_EQ(QApplication::focusWidget(), entry()) << c.typed;
        } else {
            EXPECT_EQ(prompter.count(), 0) << c.typed;
            EXPECT_NE(QApplication::focusWidget(), entry()) << c.typed;
        }
        EXPECT_EQ(entry()->text(), QString::fromLatin1(c.typed)) << "the text is kept";
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Support/RSPort.cfg"))));
}

TEST_F(CommPortDialogTest, ClickingSaveWithARefusedEntryShowsTheMessageAndSavesNothing) {
    makeFolder(QStringLiteral("TEK51"));
    openDialog();
    type(QStringLiteral("100"));
    click(QStringLiteral("cmdSave"));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("Only a Number Between 1 and 99 can be Entered"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), entry());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Support/RSPort.cfg"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("TEK51/TEKORA.SFG"))));
}

TEST_F(CommPortDialogTest, TheUpDownStepsFromTheNumberTyped) {
    openDialog();
    auto* upDown = control<QSpinBox>(QStringLiteral("updCommPort"));
    type(QStringLiteral("7"));
    upDown->stepUp();
    EXPECT_EQ(entry()->text(), QStringLiteral("8"));
    upDown->stepDown();
    upDown->stepDown();
    EXPECT_EQ(entry()->text(), QStringLiteral("6"));
    type(QStringLiteral("99"));
    upDown->stepUp();
    EXPECT_EQ(entry()->text(), QStringLiteral("99"));
    type(QStringLiteral("1"));
    upDown->stepDown();
    EXPECT_EQ(entry()->text(), QStringLiteral("1"));
}

// ---- Saving ------------------------------------------------------------------------------------

TEST_F(CommPortDialogTest, SaveWritesThePortFileAndEachExistingToolFile) {
    struct Case {
        const char* typed;
        int speedOption;
        QStringList toolFolders; // existing before saving
        QByteArray settings;
        QByteArray toolFile;
    } cases[] = {
        {"3", 1, {"TEK51", "TEK96", "PLS51"}, "3,19200\r\n", "2\r\n"},
        {"1", 0, {"TEK51", "TEK96", "PLS51"}, "1,9600\r\n", "0\r\n"},
        {"2.5", 0, {"TEK96"}, "2,9600\r\n", "1\r\n"}, // halves go to even
        {"3.5", 0, {"PLS51"}, "4,9600\r\n", "3\r\n"},
        {"99", 1, {}, "99,19200\r\n", ""},
        {"12", 0, {"TEK51", "PLS51"}, "12,9600\r\n", "11\r\n"},
    };
    const QStringList allTools = frmSetupComm::toolFolderNames();
    for (const Case& c : cases) {
        for (const QString& tool : allTools)
            QDir(path(tool)).removeRecursively();
        for (const QString& tool : c.toolFolders)
            makeFolder(tool);
        openDialog();
        type(QString::fromLatin1(c.typed));
        speed(c.speedOption)->setChecked(true);
        click(QStringLiteral("cmdSave"));
        EXPECT_TRUE(closedWith(QDialog::Accepted)) << c.typed;
        EXPECT_EQ(settingsFile(), c.settings) << c.typed;
        for (const QString& tool : allTools) {
            const bool exists = c.toolFolders.contains(tool);
            EXPECT_EQ(readFile(tool + QStringLiteral("/TEKORA.SFG")),
                      exists ? c.toolFile : QByteArray("<missing>"))
                << c.typed << " " << tool.toStdString();
            EXPECT_EQ(QDir(path(tool)).exists(), exists) << "missing folders are not created";
        }
        dialog.reset();
    }
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(port.openCount(), 0) << "saving offline leaves the link closed";
}

TEST_F(CommPortDialogTest, EnterSavesWithoutTheRangeMessageAndClampsTheNumber) {
    struct Case {
        const char* typed;
        QByteArray settings;
        QByteArray toolFile;
    } cases[] = {
        {"150", "99,9600\r\n", "98\r\n"},
        {"0", "1,9600\r\n", "0\r\n"},
        {"abc", "1,9600\r\n", "0\r\n"},
        {"6 ports", "6,9600\r\n", "5\r\n"},
        {"99999999999999999999999", "99,9600\r\n", "98\r\n"},
    };
    makeFolder(QStringLiteral("TEK51"));
    for (const Case& c : cases) {
        openDialog();
        type(QString::fromLatin1(c.typed));
        QTest::keyClick(entry(), Qt::Key_Return);
        EXPECT_TRUE(closedWith(QDialog::Accepted)) << c.typed;
        EXPECT_EQ(settingsFile(), c.settings) << c.typed;
        EXPECT_EQ(readFile(QStringLiteral("TEK51/TEKORA.SFG")), c.toolFile) << c.typed;
        dialog.reset();
    }
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(CommPortDialogTest, ToolFoldersAndFilesAreFoundWhateverTheirCase) {
    writeFile(QStringLiteral("tek51/tekora.sfg"), "7\r\nold settings of the tool\r\n");
    makeFolder(QStringLiteral("Pls51"));
    openDialog();
    type(QStringLiteral("5"));
    click(QStringLiteral("cmdSave"));
    EXPECT_EQ(readFile(QStringLiteral("tek51/tekora.sfg")), QByteArray("4\r\n"));
    EXPECT_EQ(readFile(QStringLiteral("Pls51/TEKORA.SFG")), QByteArray("4\r\n"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("tek51/TEKORA.SFG"))));
    EXPECT_FALSE(QDir(path(QStringLiteral("TEK51"))).exists());
}

TEST_F(CommPortDialogTest, SavingOnlineClosesTheLinkAndReopensItWithTheNewSettings) {
    goOnline();
    openDialog();
    type(QStringLiteral("3"));
    speed(1)->setChecked(true);
    port.clearWire();
    click(QStringLiteral("cmdSave"));
    EXPECT_TRUE(closedWith(QDialog::Accepted));
    EXPECT_EQ(settingsFile(), QByteArray("3,19200\r\n"));
    EXPECT_TRUE(link.OnlineMode);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.openCount(), 2);
    EXPECT_EQ(port.portNumber(), 3);
    EXPECT_EQ(port.settings(), QStringLiteral("19200,n,8,1"));
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(CommPortDialogTest, ABoardThatDoesNotAnswerAfterSavingKeepsTheDialogOpenAndOffline) {
    struct Case {
        const char* name;
        std::function<void()> spoil;
        std::function<void()> mend;
        QString message;
    } cases[] = {
        {"silent board",
         [this] { board.faults().set(sim::Fault::Silence, sim::FaultPlan::always()); },
         [this] { board.faults().clear(); }, QStringLiteral("WARNING - Communication Error!")},
        {"port in use", [this] { port.refuseOpen(); }, [this] { port.allowOpen(); },
         QStringLiteral("Comm Port Error")},
    };
    for (const Case& c : cases) {
        board.faults().clear();
        port.allowOpen();
        prompter.clear();
        goOnline();
        openDialog();
        type(QStringLiteral("4"));
        c.spoil();
        click(QStringLiteral("cmdSave"));
        EXPECT_EQ(settingsFile(), QByteArray("4,9600\r\n")) << c.name;
        EXPECT_TRUE(dialog->isVisible()) << c.name;
        EXPECT_FALSE(link.OnlineMode) << c.name;
        ASSERT_GE(prompter.count(), 1) << c.name;
        EXPECT_EQ(prompter.last().title, c.message) << c.name;
        // The user may now try another port or cancel.
        c.mend();
        type(QStringLiteral("5"));
        click(QStringLiteral("cmdSave"));
        EXPECT_TRUE(closedWith(QDialog::Accepted)) << c.name;
        EXPECT_TRUE(link.OnlineMode) << c.name;
        EXPECT_EQ(port.portNumber(), 5) << c.name;
        link.CloseRSComm();
        dialog.reset();
    }
}

TEST_F(CommPortDialogTest, AFailedWriteIsReportedAndLeavesTheLinkClosed) {
    struct Case {
        const char* name;
        QString blocker; // a folder where the file should go
        QByteArray settingsAfter;
        QByteArray tek96After;
    } cases[] = {
        {"settings file", QStringLiteral("Support/RSPort.cfg"), "<missing>", "<missing>"},
        {"tool file", QStringLiteral("TEK51/TEKORA.SFG"), "4,9600\r\n", "<missing>"},
    };
    for (const Case& c : cases) {
        QDir(path(QStringLiteral("Support"))).removeRecursively();
        QDir(path(QStringLiteral("TEK51"))).removeRecursively();
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
        ASSERT_EQ(prompter.count(), 1) << c.name;
        EXPECT_EQ(prompter.last().title, QStringLiteral("SetupComm"));
        EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("Error Number = 75\r\n\r\n")));
        EXPECT_TRUE(prompter.last().text.contains(QDir::toNativeSeparators(path(c.blocker))))
            << prompter.last().text.toStdString();
        EXPECT_EQ(prompter.last().icon, Prompter::Icon::Information);
        EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::OK);
        EXPECT_TRUE(dialog->isVisible()) << c.name;
        EXPECT_FALSE(link.OnlineMode) << c.name;
        EXPECT_FALSE(port.isOpen()) << c.name;
        EXPECT_EQ(port.openCount(), opens) << "not reopened: " << c.name;
        if (!QFileInfo(path(QStringLiteral("Support/RSPort.cfg"))).isDir()) {
            EXPECT_EQ(settingsFile(), c.settingsAfter) << c.name;
        }
        EXPECT_EQ(readFile(QStringLiteral("TEK96/TEKORA.SFG")), c.tek96After) << c.name;
        dialog.reset();
    }
}

TEST_F(CommPortDialogTest, CancelWritesNothingAndLeavesTheLinkAsItWas) {
    writeFile(QStringLiteral("Support/RSPort.cfg"), "2,9600\r\n");
    makeFolder(QStringLiteral("TEK51"));
    goOnline();
    openDialog();
    type(QStringLiteral("100")); // even a refused entry does not hold Cancel back
    speed(1)->setChecked(true);
    port.clearWire();
    click(QStringLiteral("cmdCancel"));
    EXPECT_TRUE(closedWith(QDialog::Rejected));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(settingsFile(), QByteArray("2,9600\r\n"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("TEK51/TEKORA.SFG"))));
    EXPECT_TRUE(link.OnlineMode);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.openCount(), 1);
    EXPECT_TRUE(port.wire().text().empty()) << "nothing was sent";
}

// ---- Which device a number opens, and the ports of the computer
// ----------------------------------

TEST_F(CommPortDialogTest, BesideTheNumberTheDialogShowsTheDeviceItOpens) {
    writeFile(QStringLiteral("fake-tty"), "");
    makeFolder(QStringLiteral("Support"));
    ASSERT_TRUE(
        QFile::link(path(QStringLiteral("fake-tty")), path(QStringLiteral("Support/COM3"))));
    openDialog();
    auto* label = control<QLabel>(QStringLiteral("lblPortDevice"));
    struct Case {
        const char* typed;
        QString shown;
    } cases[] = {
        {"3", QStringLiteral("Port 3 opens %1 -> %2, present")
                  .arg(path(QStringLiteral("Support/COM3")), path(QStringLiteral("fake-tty")))},
        {"5",
         QStringLiteral("Port 5 opens %1, not present").arg(QtSerialPort::platformPortName(5))},
        {"120", QStringLiteral("Enter a port number from 1 to 99.")},
        {"x", QStringLiteral("Enter a port number from 1 to 99.")},
    };
    for (const Case& c : cases) {
        type(QString::fromLatin1(c.typed));
        EXPECT_EQ(label->text(), c.shown) << c.typed;
    }
    control<QSpinBox>(QStringLiteral("updCommPort"))->setValue(3);
    EXPECT_EQ(label->text(), cases[0].shown) << "the arrows update it too";
}

TEST_F(CommPortDialogTest, ThePortListNamesEachPortAndADoubleClickChoosesItsNumber) {
    writeFile(QStringLiteral("ttyUSB0"), "");
    writeFile(QStringLiteral("sim-pty"), "");
    makeFolder(QStringLiteral("Support"));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("ttyUSB0")), path(QStringLiteral("Support/COM4"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("sim-pty")), path(QStringLiteral("Support/COM1"))));
    SerialPortCatalog::Device usb;
    usb.path = path(QStringLiteral("ttyUSB0"));
    usb.description = QStringLiteral("FT232R USB UART");
    usb.manufacturer = QStringLiteral("FTDI");
    usb.vendorId = 0x0403;
    usb.productId = 0x6001;
    SerialPortCatalog::Device uart;
    uart.path = QStringLiteral("/nonexistent/ttyXR0");
    devices = {usb, uart};
    openDialog();

    auto* list = control<QTreeWidget>(QStringLiteral("lstSerialPorts"));
    ASSERT_EQ(list->topLevelItemCount(), 3);
    const QStringList expected[3] = {
        {path(QStringLiteral("ttyUSB0")), QStringLiteral("FT232R USB UART, FTDI"),
         QStringLiteral("USB 0403:6001"), QStringLiteral("4")},
        {QStringLiteral("/nonexistent/ttyXR0"), QString(), QString(), QStringLiteral("none")},
        {path(QStringLiteral("sim-pty")), QStringLiteral("reached through a port alias"), QString(),
         QStringLiteral("1")},
    };
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(list->topLevelItem(row)->text(column), expected[row][column])
                << row << column;
    }

    emit list->itemActivated(list->topLevelItem(0), 0);
    EXPECT_EQ(entry()->text(), QStringLiteral("4"));
    emit list->itemActivated(list->topLevelItem(1), 0);
    EXPECT_EQ(entry()->text(), QStringLiteral("4")) << "a port without a number changes nothing";

    // A port plugged in while the dialog is open shows up on Refresh.
    devices.clear();
    click(QStringLiteral("cmdRefreshPorts"));
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(3), QStringLiteral("1"));
    EXPECT_EQ(list->topLevelItem(1)->text(0), path(QStringLiteral("ttyUSB0")));
    EXPECT_EQ(list->topLevelItem(1)->text(3), QStringLiteral("4"));
}
