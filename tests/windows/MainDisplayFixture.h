#pragma once

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

#include "AppContext.h"
#include "BoardRig.h"
#include "QStringPrinter.h"
#include "frmBMMain.h"

// Main Display on the board rig. SetOnlineMode does what the main
// window's does, and counts its calls.
class MainDisplayFixture : public BoardRigTest {
protected:
    MainDisplayFixture() {
        context.TargetComm = &link;
        context.CommControl = &port;
        context.InitAlarmTables();
        context.InitSetupTables();
    }
    ~MainDisplayFixture() override {
        display.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void goOnline() {
        link.OnlineMode = true;
        setOnlineMode();
        ASSERT_TRUE(link.OnlineMode);
        port.clearWire();
        modeCalls = 0;
    }
    void setOnlineMode() {
        ++modeCalls;
        if (link.OnlineMode)
            link.OpenRSComm(port);
        else
            link.CloseRSComm();
        if (link.CommError)
            link.OnlineMode = false;
    }
    void load() {
        display = std::make_unique<frmBMMain>(context, [this] { setOnlineMode(); });
    }
    void loadAndShow() {
        load();
        display->show();
    }
    // Steps the cycle until `passes` more passes have ended.
    void runPasses(int passes) {
        const long long target = display->passCount() + passes;
        for (int step = 0; step < 100 * passes && display->passCount() < target; ++step)
            display->runCycleStep();
        ASSERT_EQ(display->passCount(), target);
    }

    template <typename T> T* find(const char* name) const {
        T* found = display->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLabel* label(int i) const { return find<QLabel>(i == 0 ? "lblDisplay(0)" : "lblDisplay(1)"); }
    QGroupBox* frame(int i) const {
        return find<QGroupBox>(i == 0 ? "fraDisplay(0)" : "fraDisplay(1)");
    }
    QString messages() const { return find<QPlainTextEdit>("txtMessageDisplay")->toPlainText(); }
    void setSpeedAndPosition(std::uint16_t speed, std::uint16_t position) {
        board.machine().setSpeed(speed);
        board.memory().setWord(180, position);
    }

    AppContext context{folder.path(), prompter};
    std::unique_ptr<frmBMMain> display;
    int modeCalls = 0;
};
