#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <memory>

#include "AppContext.h"
#include "BoardRig.h"
#include "Controls.h"
#include "QStringPrinter.h"

// A machine window on an in-process board and a virtual clock, shown and active so its
// accelerators work. Its SetOnlineMode does what the main window's does.
template <typename Window> class MachineWindowRig : public ::testing::Test, public BoardRig {
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
    // What the main window's SetOnlineMode does, counted.
    void setOnlineMode() {
        ++modeCalls;
        if (link.OnlineMode)
            link.OpenRSComm(port);
        else
            link.CloseRSComm();
        if (link.CommError)
            link.OnlineMode = false;
    }
    void goOnline() {
        BoardRig::goOnline();
        modeCalls = 0;
    }
    // Loaded but not yet shown.
    void create() {
        window = std::make_unique<Window>(context, [this] { setOnlineMode(); });
    }
    void load() {
        create();
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void runPasses(int passes) {
        const long long target = window->passCount() + passes;
        for (int step = 0; step < 200 * passes && window->passCount() < target; ++step)
            window->runCycleStep();
        ASSERT_EQ(window->passCount(), target);
    }
    template <typename T = QWidget> T* find(const QString& name) const {
        return child<T>(window.get(), name);
    }
    QString text(const QString& name) const {
        auto* box = qobject_cast<QLineEdit*>(find(name));
        return box ? box->text() : find<QLabel>(name)->text();
    }
    bool enabled(const QString& name) const { return find(name)->isEnabled(); }
    QWidget* focused() const { return QApplication::focusWidget(); }
    void type(const QString& box, const QString& entry, Qt::Key leaveWith = Qt::Key_Return) {
        find(box)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(find(box), entry);
        QTest::keyClick(find(box), leaveWith);
    }
    void press(const char* button) { find<QPushButton>(QLatin1String(button))->click(); }
    // A mnemonic clicks after its short press animation.
    // An accelerator clicks its button after a short animation: wait until no button is held
    // down, however slow the machine.
    void pressKeys(Qt::Key key) {
        QTest::keyClick(window.get(), key, Qt::AltModifier);
        const auto buttons = window->template findChildren<QAbstractButton*>();
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return std::none_of(buttons.begin(), buttons.end(),
                                [](QAbstractButton* b) { return b->isDown(); });
        })) << "a button is still held down";
    }

    // "address=byte " for each byte stored by a write sequence (command 2: high and low address
    // byte, data byte), in order.
    std::string writes() const {
        std::string seen;
        int mode = 0, pos = 0, address = 0;
        bool command = false;
        for (const auto& e : port.wire().exchanges()) {
            if (command || (pos == 0 && e.request == 0xFF && e.reply == 0x55)) {
                mode = command ? e.request : mode;
                command = !command;
            } else if (mode == 2 && pos < 2) {
                address = pos++ == 0 ? e.request << 8 : address | e.request;
            } else if (mode == 2) {
                seen += std::to_string(address) + "=" + std::to_string(e.request) + " ";
                pos = 0;
            } else if (mode == 1) {
                pos = 1 - pos;
            }
        }
        return seen;
    }
    static std::string word(int address, int value) {
        return std::to_string(address) + "=" + std::to_string(value & 0xFF) + " " +
               std::to_string(address + 1) + "=" + std::to_string(value >> 8) + " ";
    }

    AppContext context{folder.path(), prompter};
    std::unique_ptr<Window> window;
    int modeCalls = 0;
};

inline QString at(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}
