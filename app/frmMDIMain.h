#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>

#include "AlarmRecorder.h"
#include "BackgroundUpdate.h"
#include "MachineWindowFactory.h"
#include "MainWindowCommands.h"
#include "SetupFiles.h"

class AppContext;
class FileDialogs;
class MainStatusBar;
class frmLinkMonitor;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class RSComm;
class SerialPort;

// The program's main window: a frame holding one machine window at a time, the menus, the
// four-panel status bar and the background timer that polls the alarms. Constructing it is
// the program's start-up; closing it (or File > Exit) is the shutdown.
class frmMDIMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int BackgroundUpdateIntervalMs = 500;

    frmMDIMain(AppContext& context, RSComm& targetComm, SerialPort& commControl,
               MachineWindowFactory& machineWindows, FileDialogs& fileDialogs,
               MainWindowCommands commands = {}, QWidget* parent = nullptr);
    ~frmMDIMain() override;

    AppContext& context() const { return context_; }
    RSComm& TargetComm() const { return targetComm_; }
    SerialPort& CommControl() const { return commControl_; }
    MainStatusBar* statusPanels() const { return sbrMain_; }

    // Opens or closes the link as TargetComm.OnlineMode asks and shows the mode.
    void SetOnlineMode();
    // What View > Online Data and Offline Data do.
    void setWantedMode(bool online);
    // Shows machine window `index` in place of the current one.
    void ShowBMForm(int index);
    int currentMachineWindowIndex() const { return currentIndex_; }
    QWidget* currentMachineWindow() const;
    // 0 when nothing changed since the last load or save, else the answer to
    // "Save Changes to File?" (6 Yes, 7 No, 2 Cancel).
    int CheckSaveChanges() { return files_.CheckSaveChanges(); }

    // One tick of the background timer.
    void tmrBackgroungUpdate_Timer();
    // The program download stops the timer for the length of a transfer.
    void setBackgroundUpdateEnabled(bool enabled);
    bool backgroundUpdateEnabled() const { return tmrBackgroungUpdate_.isActive(); }
    const BackgroundUpdate& backgroundUpdate() const { return background_; }

    // View > Target Board Interface; the data transfer and the program download call it too.
    void mnuViewTargetBoardStatus_Click();
    // View > Link Monitor: opens the monitor, or brings the open one forward.
    void mnuViewLinkMonitor_Click();
    frmLinkMonitor* linkMonitor() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Keeps the machine window from being closed other than by switching or shutdown.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    QMenu* addMenu(const char* name, const char* caption);
    QAction* addItem(QMenu* menu, const char* name, const char* caption,
                     const QKeySequence& shortcut = {});
    void addSeparator(QMenu* menu, const char* name);
    QAction* addCommand(QMenu* menu, const char* name, const char* caption,
                        const MainWindowCommands::Command& command,
                        const QKeySequence& shortcut = {});
    void Form_Load();
    bool QueryUnload();
    void showMode(bool online);
    void checkCurrentWindowItem();
    void unloadMachineWindow();
    void refreshCaption();
    void sbrMain_PanelDblClick(int panel);
    void runFileCommand(bool (SetupFiles::*command)());

    AppContext& context_;
    RSComm& targetComm_;
    SerialPort& commControl_;
    FileDialogs& fileDialogs_;
    MachineWindowFactory& machineWindows_;
    MainWindowCommands commands_;
    SetupFiles files_;
    BackgroundUpdate background_;
    AlarmRecorder alarmRecorder_;

    QMdiArea* mdiArea_;
    MainStatusBar* sbrMain_;
    QTimer tmrBackgroungUpdate_;
    std::array<QAction*, MachineWindowFactory::WindowCount> mnuBMForm_{};
    QAction* mnuViewOnline_ = nullptr;
    QAction* mnuViewOffline_ = nullptr;
    QPointer<QMdiSubWindow> shownWindow_;
    QPointer<QMdiSubWindow> linkMonitor_;
    int currentIndex_ = 0;
    bool startupFinished_ = false;
    bool unloading_ = false;
    bool closing_ = false;
    bool shutDown_ = false;
};
