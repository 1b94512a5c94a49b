#include "frmMDIMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <algorithm>

#include "AppContext.h"
#include "MainStatusBar.h"
#include "RSComm.h"
#include "RepaintPacer.h"
#include "frmLinkMonitor.h"

frmMDIMain::frmMDIMain(AppContext& context, RSComm& targetComm, SerialPort& commControl,
                       MachineWindowFactory& machineWindows, FileDialogs& fileDialogs,
                       MainWindowCommands commands, QWidget* parent)
    : QMainWindow(parent), context_(context), targetComm_(targetComm), commControl_(commControl),
      fileDialogs_(fileDialogs), machineWindows_(machineWindows), commands_(std::move(commands)),
      files_(context, fileDialogs), background_(context), alarmRecorder_(context),
      mdiArea_(new QMdiArea(this)),
      sbrMain_(new MainStatusBar(context.currentDateTime, context.locale, this)),
      tmrBackgroungUpdate_(this) {
    setObjectName(QStringLiteral("frmMDIMain"));
    setWindowTitle(QLatin1String(AppContext::TitlePrefix));
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdiArea_);
    setStatusBar(sbrMain_);
    buildMenus();
    // Room for the largest machine window (Machine Timing) without scrolling.
    resize(1024, 768);
    // The open machine window changes a value at nearly every read; paint at a pace the eye
    // follows, not at every read, and while the link waits for a reply rather than between
    // two reads.
    auto* pacer = new RepaintPacer(this);
    targetComm_.setWireWait([pacer] { pacer->paintIfDue(); });

    connect(sbrMain_, &MainStatusBar::panelDoubleClicked, this, &frmMDIMain::sbrMain_PanelDblClick);
    tmrBackgroungUpdate_.setObjectName(QStringLiteral("tmrBackgroungUpdate"));
    tmrBackgroungUpdate_.setInterval(BackgroundUpdateIntervalMs);
    connect(&tmrBackgroungUpdate_, &QTimer::timeout, this, &frmMDIMain::tmrBackgroungUpdate_Timer);
    tmrBackgroungUpdate_.start();

    Form_Load();
}

frmMDIMain::~frmMDIMain() {
    targetComm_.setWireWait({});
    tmrBackgroungUpdate_.stop();
    if (shownWindow_) {
        shownWindow_->removeEventFilter(this);
        delete shownWindow_;
    }
}

// Start-up, in this order: the link objects, the alarm tables, the Main Display, the default
// data, File New. The link stays closed: the program starts offline.
void frmMDIMain::Form_Load() {
    context_.CommControl = &commControl_;
    context_.TargetComm = &targetComm_;
    context_.InitAlarmTables();
    ShowBMForm(0);
    context_.InitSetupTables();
    context_.gFileNamePath = QDir(context_.applicationFolder()).filePath(QStringLiteral("*.sdt"));
    files_.FileNew();
    refreshCaption();
    startupFinished_ = true;
}

QMenu* frmMDIMain::addMenu(const char* name, const char* caption) {
    QMenu* menu = menuBar()->addMenu(QLatin1String(caption));
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

QAction* frmMDIMain::addItem(QMenu* menu, const char* name, const char* caption,
                             const QKeySequence& shortcut) {
    QAction* item = menu->addAction(QLatin1String(caption));
    item->setObjectName(QLatin1String(name));
    item->setShortcut(shortcut);
    return item;
}

void frmMDIMain::addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

// Commands carried out elsewhere: enabled when this build has them.
QAction* frmMDIMain::addCommand(QMenu* menu, const char* name, const char* caption,
                                const MainWindowCommands::Command& command,
                                const QKeySequence& shortcut) {
    QAction* item = addItem(menu, name, caption, shortcut);
    item->setEnabled(static_cast<bool>(command));
    connect(item, &QAction::triggered, this, [this, &command] {
        if (command)
            command(*this);
    });
    return item;
}

void frmMDIMain::buildMenus() {
    QMenu* file = addMenu("mnuFile", "&File");
    connect(addItem(file, "mnuFileNew", "&New...", QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, [this] { runFileCommand(&SetupFiles::FileNew); });
    connect(addItem(file, "mnuFileOpen", "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, [this] { runFileCommand(&SetupFiles::FileOpen); });
    connect(addItem(file, "mnuFileSave", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, [this] { runFileCommand(&SetupFiles::FileSave); });
    connect(addItem(file, "mnuFileSaveAs", "Save &As..."), &QAction::triggered, this,
            [this] { runFileCommand(&SetupFiles::FileSaveAs); });
    addSeparator(file, "mnuFileSeparator1");
    connect(
        addItem(file, "mnuFileExport", "Export Shift Data...", QKeySequence(Qt::CTRL | Qt::Key_X)),
        &QAction::triggered, this, [this] { runFileCommand(&SetupFiles::FileExport); });
    addSeparator(file, "mnuFileSeparator2");
    addCommand(file, "mnuFileUpload", "&Upload (save) Data", commands_.upload);
    addCommand(file, "mnuFileDownloadProgram", "Download &Program", commands_.downloadProgram);
    addCommand(file, "mnuFileUploadProgram", "Up&load Program", commands_.uploadProgram);
    addCommand(file, "mnuFileDownload", "&Download Data", commands_.download);
    addSeparator(file, "mnuFileSeparator3");
    addCommand(file, "mnuFilePrint", "&Print Report...", commands_.printReport,
               QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction* printSetup = addItem(file, "mnuFilePrintSetup", "Print Set&up...");
    printSetup->setVisible(false);
    printSetup->setEnabled(false);
    addSeparator(file, "mnuFileSeparator4");
    connect(addItem(file, "mnuFileExit", "E&xit"), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = addMenu("mnuEdit", "&Edit");
    QAction* offlineEditing =
        addItem(edit, "mnuEditOfflineEditing", "Enable &Offline Editing", QKeySequence(Qt::Key_F2));
    offlineEditing->setCheckable(true);
    connect(offlineEditing, &QAction::toggled, this,
            [this](bool checked) { context_.OfflineEditing = checked; });
    addSeparator(edit, "mnuSettingsSeparator1");
    QAction* commPort = addCommand(edit, "mnuEditCommPort", "Co&mm Port", commands_.commPort,
                                   QKeySequence(Qt::CTRL | Qt::Key_M));
    // The dialog may close and reopen the link: show what it left.
    connect(commPort, &QAction::triggered, this, [this] { showMode(targetComm_.OnlineMode); });

    QMenu* view = addMenu("mnuView", "&View");
    QAction* targetBoard = addItem(view, "mnuViewTargetBoardStatus", "&Target Board Interface");
    targetBoard->setEnabled(static_cast<bool>(commands_.targetBoardInterface));
    connect(targetBoard, &QAction::triggered, this, &frmMDIMain::mnuViewTargetBoardStatus_Click);
    addCommand(view, "mnuViewAlarmHistory", "&Alarm History", commands_.alarmHistory);
    connect(addItem(view, "mnuViewLinkMonitor", "&Link Monitor"), &QAction::triggered, this,
            &frmMDIMain::mnuViewLinkMonitor_Click);
    addSeparator(view, "mnuViewSep1");
    mnuViewOnline_ = addItem(view, "mnuViewOnline", "O&nline Data", QKeySequence(Qt::Key_F3));
    mnuViewOffline_ = addItem(view, "mnuViewOffline", "O&ffline Data", QKeySequence(Qt::Key_F4));
    mnuViewOnline_->setCheckable(true);
    mnuViewOffline_->setCheckable(true);
    mnuViewOffline_->setChecked(true);
    connect(mnuViewOnline_, &QAction::triggered, this, [this] { setWantedMode(true); });
    connect(mnuViewOffline_, &QAction::triggered, this, [this] { setWantedMode(false); });

    QMenu* windows = addMenu("mnuBM", "&Window");
    const char* const captions[MachineWindowFactory::WindowCount] = {
        "&1 Main Display", "&2 Set-up Parameters", "&3 Machine Timing", "&4 Shift Data",
        "&5 I/O States"};
    for (int i = 0; i < MachineWindowFactory::WindowCount; ++i) {
        QAction* item = windows->addAction(QLatin1String(captions[i]));
        item->setObjectName(QStringLiteral("mnuBMForm(%1)").arg(i));
        item->setCheckable(true);
        item->setEnabled(machineWindows_.available(i));
        connect(item, &QAction::triggered, this, [this, i] { ShowBMForm(i); });
        mnuBMForm_[static_cast<std::size_t>(i)] = item;
    }

    QMenu* help = addMenu("mnuHelp", "&Help");
    addCommand(help, "mnuHelpHelpTopics", "&Help Topics", commands_.helpTopics,
               QKeySequence(Qt::CTRL | Qt::Key_H));
    addSeparator(help, "mnuHelpSeparator0");
    addCommand(help, "mnuHelpAbout", "&About VORNA7", commands_.about);
}

void frmMDIMain::mnuViewTargetBoardStatus_Click() {
    if (commands_.targetBoardInterface)
        commands_.targetBoardInterface(*this);
}

void frmMDIMain::mnuViewLinkMonitor_Click() {
    if (!linkMonitor_) {
        linkMonitor_ = mdiArea_->addSubWindow(
            new frmLinkMonitor(context_, targetComm_, commControl_, fileDialogs_));
        linkMonitor_->setAttribute(Qt::WA_DeleteOnClose);
        // In the lower right of the work area, whole, beside the Main Display where it fits.
        const QSize area = mdiArea_->viewport()->size();
        linkMonitor_->resize(std::min(620, area.width()), std::min(420, area.height()));
        linkMonitor_->move(std::max(0, area.width() - linkMonitor_->width()),
                           std::max(0, area.height() - linkMonitor_->height()));
    }
    linkMonitor_->show();
    mdiArea_->setActiveSubWindow(linkMonitor_);
}

frmLinkMonitor* frmMDIMain::linkMonitor() const {
    return linkMonitor_ ? qobject_cast<frmLinkMonitor*>(linkMonitor_->widget()) : nullptr;
}

void frmMDIMain::runFileCommand(bool (SetupFiles::*command)()) {
    (files_.*command)();
    refreshCaption();
}

void frmMDIMain::refreshCaption() {
    setWindowTitle(context_.MainCaption());
}

void frmMDIMain::setWantedMode(bool online) {
    targetComm_.OnlineMode = online;
    SetOnlineMode();
}

void frmMDIMain::sbrMain_PanelDblClick(int panel) {
    if (panel == MainStatusBar::ModePanelNumber)
        setWantedMode(!targetComm_.OnlineMode);
}

// No second link operation may start inside one that is still running (its own message
// box runs a nested event loop); the request is dropped and the display shows the truth.
void frmMDIMain::SetOnlineMode() {
    if (targetComm_.IsBusy()) {
        showMode(targetComm_.OnlineMode);
        return;
    }
    if (targetComm_.OnlineMode)
        targetComm_.OpenRSComm(commControl_);
    else
        targetComm_.CloseRSComm();
    showMode(targetComm_.OnlineMode);
    if (targetComm_.CommError)
        targetComm_.OnlineMode = false;
}

void frmMDIMain::showMode(bool online) {
    sbrMain_->setPanelText(MainStatusBar::ModePanelNumber,
                           online ? QStringLiteral("ONLINE") : QStringLiteral("OFFLINE"));
    mnuViewOnline_->setChecked(online);
    mnuViewOffline_->setChecked(!online);
}

void frmMDIMain::tmrBackgroungUpdate_Timer() {
    const std::optional<QString> status = background_.Tick();
    if (!status)
        return;
    sbrMain_->setPanelText(MainStatusBar::StatusPanelNumber, *status);
    alarmRecorder_.observe(background_.AlarmActive(), targetComm_.OnlineMode, *status);
}

void frmMDIMain::setBackgroundUpdateEnabled(bool enabled) {
    if (enabled)
        tmrBackgroungUpdate_.start();
    else
        tmrBackgroungUpdate_.stop();
}

QWidget* frmMDIMain::currentMachineWindow() const {
    return shownWindow_ ? shownWindow_->widget() : nullptr;
}

void frmMDIMain::checkCurrentWindowItem() {
    for (int i = 0; i < MachineWindowFactory::WindowCount; ++i)
        mnuBMForm_[static_cast<std::size_t>(i)]->setChecked(i == currentIndex_);
}

void frmMDIMain::ShowBMForm(int index) {
    if ((index == currentIndex_ && startupFinished_) || !machineWindows_.available(index)) {
        checkCurrentWindowItem();
        return;
    }
    unloadMachineWindow();
    QWidget* window = machineWindows_.load(index, [this] { SetOnlineMode(); });
    currentIndex_ = index;
    checkCurrentWindowItem();
    if (!window)
        return;
    QMdiSubWindow* sub = mdiArea_->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowMinMaxButtonsHint);
    sub->installEventFilter(this);
    shownWindow_ = sub;
    sub->show();
    mdiArea_->setActiveSubWindow(sub);
}

// The window's cycle stops at once; the widgets go at the next turn of the event loop, so a
// window whose own code is further up the stack is never deleted under it.
void frmMDIMain::unloadMachineWindow() {
    if (!shownWindow_)
        return;
    QMdiSubWindow* sub = shownWindow_;
    shownWindow_ = nullptr;
    unloading_ = true;
    sub->close();
    unloading_ = false;
}

bool frmMDIMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched == shownWindow_ && !unloading_) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMDIMain::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->ignore();
        return;
    }
    closing_ = true;
    const bool close = shutDown_ || QueryUnload();
    closing_ = false;
    if (close) {
        shutDown_ = true;
        event->accept();
        return;
    }
    event->ignore();
}

// Shutdown: the save question (Cancel, or a Save that did not happen, keeps the program
// running with everything as it was), then the link is closed and the machine window
// unloaded.
bool frmMDIMain::QueryUnload() {
    const bool goOn = files_.ConfirmClose();
    refreshCaption();
    if (!goOn)
        return false;
    targetComm_.CloseRSComm();
    // No tick follows to notice it: the history is told here that the link went away.
    alarmRecorder_.observe(background_.AlarmActive(), false,
                           QStringLiteral("System Message:  Program is Currently OFFLINE"));
    unloadMachineWindow();
    QCoreApplication::processEvents();
    tmrBackgroungUpdate_.stop();
    return true;
}
