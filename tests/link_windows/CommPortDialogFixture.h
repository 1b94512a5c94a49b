#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

#include "Board.h"
#include "BoardSerialPort.h"
#include "RSComm.h"
#include "ScriptedPrompter.h"
#include "VirtualClock.h"
#include "frmSetupComm.h"

// The Comm Port dialog over a link on an in-process board, in a fresh application folder,
// with the computer's serial ports given by the test.
class CommPortDialogTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    VirtualClock clock;
    ScriptedPrompter prompter;
    sim::Board board;
    BoardSerialPort port{board, clock};
    RSComm link{folder.path(), clock, prompter};
    QList<SerialPortCatalog::Device> devices;
    std::unique_ptr<frmSetupComm> dialog;

    void openDialog() {
        dialog = std::make_unique<frmSetupComm>(link, port, prompter, nullptr,
                                                [this] { return devices; });
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        entry()->setFocus();
    }
    void goOnline() {
        link.OpenRSComm(port);
        ASSERT_TRUE(link.OnlineMode);
    }

    template <typename T> T* control(const QString& name) {
        T* widget = dialog->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QLineEdit* entry() { return control<QLineEdit>(QStringLiteral("txtCommPort")); }
    QRadioButton* speed(int index) {
        return control<QRadioButton>(QStringLiteral("optPortSpeed(%1)").arg(index));
    }
    void type(const QString& text) {
        entry()->selectAll();
        QTest::keyClick(entry(), Qt::Key_Backspace);
        QTest::keyClicks(entry(), text);
    }
    void leaveEntry() { QTest::keyClick(entry(), Qt::Key_Tab); }
    void click(const QString& button) {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }
    bool closedWith(QDialog::DialogCode code) const {
        return !dialog->isVisible() && dialog->result() == code;
    }

    QString path(const QString& relative) const { return folder.filePath(relative); }
    void makeFolder(const QString& relative) const { QDir(folder.path()).mkpath(relative); }
    void writeFile(const QString& relative, const QByteArray& content) const {
        makeFolder(QFileInfo(path(relative)).path().mid(folder.path().size() + 1));
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray readFile(const QString& relative) const {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QByteArray settingsFile() const { return readFile(QStringLiteral("Support/RSPort.cfg")); }
};
