#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <memory>

#include "BoardRig.h"
#include "Controls.h"
#include "QStringPrinter.h"
#include "frmSetupComm.h"

// The Comm Port dialog on the board rig, with the computer's serial ports given by the test.
class CommPortDialogTest : public BoardRigTest {
protected:
    QList<SerialPortCatalog::Device> devices;
    std::unique_ptr<frmSetupComm> dialog;

    void openDialog() {
        dialog.reset();
        dialog = std::make_unique<frmSetupComm>(link, port, prompter, nullptr,
                                                [this] { return devices; });
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        entry()->setFocus();
    }

    template <typename T> T* control(const QString& name) { return child<T>(dialog.get(), name); }
    QLineEdit* entry() { return control<QLineEdit>(QStringLiteral("txtCommPort")); }
    QRadioButton* speed(int index) {
        return control<QRadioButton>(QStringLiteral("optPortSpeed(%1)").arg(index));
    }
    void type(const QString& text) {
        entry()->selectAll();
        QTest::keyClick(entry(), Qt::Key_Backspace);
        QTest::keyClicks(entry(), text);
    }
    void click(const QString& button) { ::click(dialog.get(), button); }
    // The last message is an information box with OK, titled `title`, whose text is `text`
    // (or, unless `exact`, starts with it).
    void expectInformation(const QString& title, const QString& text, bool exact = false) const {
        const auto& m = prompter.last();
        EXPECT_EQ((m.title + '|' + (exact ? m.text : m.text.left(text.size()))).toStdString(),
                  (title + '|' + text).toStdString());
        EXPECT_TRUE(m.icon == Prompter::Icon::Information && m.buttons == Prompter::Buttons::OK);
    }
    bool closedWith(QDialog::DialogCode code) const {
        return !dialog->isVisible() && dialog->result() == code;
    }

    QString path(const QString& relative) const { return folder.filePath(relative); }
    void makeFolder(const QString& relative) const { ASSERT_TRUE(folder.makeFolder(relative)); }
    void writeFile(const QString& relative, const QByteArray& content) const {
        ASSERT_TRUE(folder.write(relative, content));
    }
    // Support/COM<number> leading to `target`, as the user sets up a port alias.
    void alias(int number, const QString& target) const {
        makeFolder(QStringLiteral("Support"));
        ASSERT_TRUE(QFile::link(path(target), path(QStringLiteral("Support/COM%1").arg(number))));
    }
    QByteArray readFile(const QString& relative) const { return folder.read(relative); }
};
