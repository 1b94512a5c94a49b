#include "MachineWindow.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>

#include "AppContext.h"
#include "RSComm.h"

MachineWindow::MachineWindow(AppContext& context, std::function<void()> setOnlineMode,
                             QWidget* parent)
    : QWidget(parent), cmdDefault(new QPushButton(QStringLiteral("-"), this)), context_(context),
      setOnlineMode_(std::move(setOnlineMode)) {
    cmdDefault->setObjectName(QStringLiteral("cmdDefault"));
    cycle_.setObjectName(QStringLiteral("refreshCycle"));
    cycle_.setParent(this);
    cycle_.setSingleShot(true);
    connect(&cycle_, &QTimer::timeout, this, [this] { runCycleStep(); });
}

MachineWindow::~MachineWindow() {
    unload();
}

RSComm& MachineWindow::TargetComm() const {
    return *context_.TargetComm;
}

void MachineWindow::SetOnlineMode() {
    if (setOnlineMode_)
        setOnlineMode_();
}

QString MachineWindow::indexedName(const QString& name, int index) {
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

void MachineWindow::ApplyMatchingLayout() {
    if (TargetComm().OnlineMode) {
        ShowOnlineLayout();
    } else {
        ShowOfflineLayout();
        OfflineLayoutShown = true;
    }
}

void MachineWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!activated_)
        activate();
}

void MachineWindow::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void MachineWindow::activate() {
    activated_ = true;
    watchSubWindowActivation();
    Activated();
    WindowActive = true;
    readIndex_ = -1;
    scheduleStep(0);
}

void MachineWindow::watchSubWindowActivation() {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    if (!area)
        return;
    lastActiveSubWindow_ = sub;
    connect(area, &QMdiArea::subWindowActivated, this, &MachineWindow::subWindowActivated);
}

// Coming back from another child window counts as a new activation; the whole program
// losing and regaining the focus (a message box, another application) does not.
void MachineWindow::subWindowActivated(QMdiSubWindow* window) {
    if (!window)
        return;
    const bool returning =
        window == parentWidget() && lastActiveSubWindow_ && lastActiveSubWindow_ != window;
    lastActiveSubWindow_ = window;
    if (returning && WindowActive)
        Activated();
}

void MachineWindow::unload() {
    WindowActive = false;
    cycle_.stop();
}

void MachineWindow::scheduleStep(int inMs) {
    if (WindowActive)
        cycle_.start(inMs);
}

bool MachineWindow::runCycleStep() {
    if (!WindowActive)
        return false;
    if (stepping_ || TargetComm().IsBusy()) {
        scheduleStep(BusyRetryIntervalMs);
        return false;
    }
    QPointer<MachineWindow> alive(this);
    stepping_ = true;
    if (readIndex_ < 0)
        startPass();
    else
        readNext();
    if (alive)
        stepping_ = false;
    return true;
}

void MachineWindow::startPass() {
    RSComm& link = TargetComm();
    if (link.CommError) {
        link.OnlineMode = false;
        OnlineLayoutShown = false;
        QPointer<MachineWindow> alive(this);
        SetOnlineMode();
        if (!alive || !WindowActive)
            return;
    }
    PassStarting();
    if (!link.OnlineMode) {
        if (!OfflineLayoutShown) {
            ShowOfflineLayout();
            OfflineLayoutShown = true;
        }
        OnlineLayoutShown = false;
        ShowOfflineData();
        endPass(OfflinePassIntervalMs);
        return;
    }
    if (!OnlineLayoutShown)
        ShowOnlineLayout();
    OfflineLayoutShown = false;
    readIndex_ = 0;
    if (ReadStepCount() == 0)
        endPass(0);
    else
        scheduleStep(0);
}

void MachineWindow::readNext() {
    if (!TargetComm().OnlineMode) {
        endPass(0);
        return;
    }
    QPointer<MachineWindow> alive(this);
    const bool shown = ReadOnlineValue(readIndex_);
    if (!alive || !WindowActive)
        return;
    ++readIndex_;
    if (!shown || readIndex_ >= ReadStepCount())
        endPass(0);
    else
        scheduleStep(0);
}

void MachineWindow::endPass(int nextStepInMs) {
    readIndex_ = -1;
    ++passCount_;
    PassEnded();
    scheduleStep(nextStepInMs);
}

bool MachineWindow::ReadOnlineValue(int index) {
    RSComm& link = TargetComm();
    const QString value = link.RSRead(WindowAdd[static_cast<std::size_t>(index)]);
    if (link.CommError)
        return false;
    ShowOnlineValue(index, value);
    return true;
}

void MachineWindow::ShowOnlineValue(int, const QString&) {}
