#pragma once

#include <QAction>
#include <QCoreApplication>
#include <memory>

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
    QWidget* load(int index, std::function<void()>) override {
        events.push_back(QStringLiteral("load %1").arg(index));
        return new RecordedWindow(events, index);
    }

    QStringList events;

private:
    std::vector<int> available_;
};

// The main window on the board rig, with scripted file dialogs and, unless the test hands in
// others, stand-ins for the machine windows.
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
        startWith(*windows, std::move(commands));
    }
    void startWith(MachineWindowFactory& factory, MainWindowCommands commands = {}) {
        window = std::make_unique<frmMDIMain>(context, link, port, factory, dialogs,
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
    // The mode panel and the View menu's check marks all show `online`.
    void expectMode(bool online) const {
        EXPECT_EQ(panel(2), online ? QStringLiteral("ONLINE") : QStringLiteral("OFFLINE"));
        EXPECT_EQ(std::pair(menuItem("mnuViewOnline")->isChecked(),
                            menuItem("mnuViewOffline")->isChecked()),
                  std::pair(online, !online));
    }
    void trigger(const char* name) const { menuItem(name)->trigger(); }
    void doubleClick(const char* key) const {
        QTest::mouseDClick(window->findChild<StatusPanel*>(QLatin1String(key)), Qt::LeftButton);
    }

    ScriptedDialogs dialogs;
    AppContext context{folder.path(), prompter};
    std::unique_ptr<RecordingWindows> windows;
    std::unique_ptr<frmMDIMain> window;
};
