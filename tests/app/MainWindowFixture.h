#pragma once

#include <QAction>
#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "AppContext.h"
#include "BoardRig.h"
#include "Controls.h"
#include "MachineWindowFactory.h"
#include "MainStatusBar.h"
#include "QStringPrinter.h"
#include "ScriptedDialogs.h"
#include "StatusPanel.h"
#include "frmMDIMain.h"

class RecordedWindow final : public QWidget {
public:
    RecordedWindow(QStringList& events, int index) : events_(events), index_(index) {
        setObjectName(QStringLiteral("machineWindow%1").arg(index));
    }
    ~RecordedWindow() override { events_.push_back(QStringLiteral("gone %1").arg(index_)); }

protected:
    void closeEvent(QCloseEvent* event) override {
        events_.push_back(QStringLiteral("close %1").arg(index_));
        QWidget::closeEvent(event);
    }

private:
    QStringList& events_;
    int index_;
};

// Stand-ins for the machine windows: plain widgets that record being loaded and unloaded.
class RecordingWindows final : public MachineWindowFactory {
public:
    explicit RecordingWindows(std::vector<int> available) : available_(std::move(available)) {}

    bool available(int index) const override {
        return std::find(available_.begin(), available_.end(), index) != available_.end();
    }
    QWidget* load(int index, std::function<void()> setOnlineMode) override {
        auto* window = new RecordedWindow(events, index);
        events.push_back(QStringLiteral("load %1").arg(index));
        lastSetOnlineMode = std::move(setOnlineMode);
        return window;
    }

    QStringList events;
    std::function<void()> lastSetOnlineMode;

private:
    std::vector<int> available_;
};

// The main window on the board rig, with scripted file dialogs.
class MainWindowFixture : public BoardRigTest {
protected:
    MainWindowFixture() {
        context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        context.currentDateTime = [] { return QDateTime(QDate(2024, 3, 14), QTime(14, 5, 7)); };
    }
    ~MainWindowFixture() override {
        if (window) {
            window->close(); // answered with the scripted default if something is unsaved
            window.reset();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void start(std::vector<int> availableWindows = {0}, MainWindowCommands commands = {}) {
        windows = std::make_unique<RecordingWindows>(std::move(availableWindows));
        window = std::make_unique<frmMDIMain>(context, link, port, *windows, dialogs,
                                              std::move(commands));
    }
    void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    QAction* menuItem(const char* name) const {
        return child<QAction>(window.get(), QLatin1String(name));
    }
    QString panel(int number) const { return window->statusPanels()->panelText(number); }
    void trigger(const char* name) const { menuItem(name)->trigger(); }
    void doubleClick(const char* key) const {
        QTest::mouseDClick(window->findChild<StatusPanel*>(QLatin1String(key)), Qt::LeftButton);
    }

    ScriptedDialogs dialogs;
    AppContext context{folder.path(), prompter};
    std::unique_ptr<RecordingWindows> windows;
    std::unique_ptr<frmMDIMain> window;
};
