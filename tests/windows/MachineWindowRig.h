#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "AppContext.h"
#include "Board.h"
#include "BoardSerialPort.h"
#include "RSComm.h"
#include "ScriptedPrompter.h"
#include "VirtualClock.h"

// A machine window on an in-process board and a virtual clock, shown and active so its
// accelerators work. SetOnlineMode does what the main window's does.
template <typename Window> class MachineWindowRig : public ::testing::Test {
protected:
    MachineWindowRig() {
        context.TargetComm = &link;
        context.CommControl = &port;
        context.InitAlarmTables();
        context.InitSetupTables();
    }
    ~MachineWindowRig() override {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void goOnline() {
        link.OnlineMode = true;
        setOnlineMode();
        ASSERT_TRUE(link.OnlineMode);
    }
    void setOnlineMode() {
        if (link.OnlineMode)
            link.OpenRSComm(port);
        else
            link.CloseRSComm();
        if (link.CommError)
            link.OnlineMode = false;
    }
    void load() {
        window = std::make_unique<Window>(context, [this] { setOnlineMode(); });
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Steps the cycle until `passes` more passes have ended, then forgets the wire so far.
    void runPasses(int passes) {
        const long long target = window->passCount() + passes;
        for (int step = 0; step < 200 * passes && window->passCount() < target; ++step)
            window->runCycleStep();
        ASSERT_EQ(window->passCount(), target);
    }

    template <typename T = QWidget> T* find(const QString& name) const {
        T* found = window->template findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QString text(const QString& name) const {
        if (auto* box = window->template findChild<QLineEdit*>(name))
            return box->text();
        return find<QLabel>(name)->text();
    }
    bool enabled(const QString& name) const { return find(name)->isEnabled(); }
    QWidget* focused() const { return QApplication::focusWidget(); }
    void type(const QString& box, const QString& entry, Qt::Key leaveWith = Qt::Key_Return) {
        auto* edit = find<QLineEdit>(box);
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, entry);
        QTest::keyClick(edit, leaveWith);
    }

    // The bytes the board stored through write sequences, "address=value" in order.
    std::string writes() const {
        std::string seen;
        const auto& exchanges = port.wire().exchanges();
        int mode = 0, pos = 0, address = 0;
        bool awaitingCommand = false;
        for (const auto& e : exchanges) {
            if (awaitingCommand) {
                mode = e.request;
                awaitingCommand = false;
                pos = 0;
            } else if (pos == 0 && e.request == 0xFF && e.reply == 0x55) {
                awaitingCommand = true;
            } else if (mode == 2) {
                address = pos == 0 ? e.request << 8 : pos == 1 ? address | e.request : address;
                if (pos == 2)
                    seen += (seen.empty() ? "" : " ") + std::to_string(address) + "=" +
                            std::to_string(e.request);
                pos = (pos + 1) % 3;
            } else if (mode == 1) {
                pos = (pos + 1) % 2;
            }
        }
        return seen;
    }
    static std::string word(int address, int value, int times = 1) {
        std::string one = std::to_string(address) + "=" + std::to_string(value & 0xFF) + " " +
                          std::to_string(address + 1) + "=" + std::to_string(value >> 8);
        std::string all = one;
        for (int i = 1; i < times; ++i)
            all += " " + one;
        return all;
    }

    QTemporaryDir folder;
    VirtualClock clock;
    ScriptedPrompter prompter;
    sim::Board board;
    BoardSerialPort port{board, clock};
    RSComm link{folder.path(), clock, prompter};
    AppContext context{folder.path(), prompter};
    std::unique_ptr<Window> window;
};

inline QString at(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}
