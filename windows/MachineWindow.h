#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

class AppContext;
class QMdiSubWindow;
class QPushButton;
class RSComm;

// What every machine window shares: WindowActive, the two layouts applied once per change of
// mode, and the refresh cycle. The cycle is a small state machine advanced by a zero-interval
// timer, one step per event-loop turn: a pass starts (drop to offline on a link failure, the
// layout of the mode, offline data), then online each address is read in its own turn, so
// user input and the main window's timer run between two reads and never inside one.
// Offline passes touch only memory and are paced so an idle program stays idle. A turn that
// finds the link in use (its own message box open) is skipped and tried again shortly.
class MachineWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int OfflinePassIntervalMs = 66;
    static constexpr int BusyRetryIntervalMs = 50;
    // Above this speed (strokes/min) the position changes too fast to read and shows as "888".
    static constexpr double FastSpeed = 50;

    ~MachineWindow() override;

    bool windowActive() const { return WindowActive; }
    bool onlineLayoutShown() const { return OnlineLayoutShown; }
    bool offlineLayoutShown() const { return OfflineLayoutShown; }
    // Passes finished since the window was activated, whether complete or ended early.
    long long passCount() const { return passCount_; }
    // One turn of the cycle, as the timer runs it; false when it had nothing to do
    // (window not active, or the link busy).
    bool runCycleStep();

protected:
    MachineWindow(AppContext& context, std::function<void()> setOnlineMode, QWidget* parent);

    AppContext& context() const { return context_; }
    RSComm& TargetComm() const;
    // Opens or closes the link as TargetComm().OnlineMode asks and shows the mode.
    void SetOnlineMode();

    // The layout matching TargetComm().OnlineMode, for windows that apply it when loaded.
    void ApplyMatchingLayout();

    // Activation, before the cycle starts, and again each time the window becomes the active
    // machine-area window after another one was (windows that apply their layout here do so).
    virtual void Activated() {}
    // Sets OnlineLayoutShown only when the layout was finished, so a failed one is tried again.
    virtual void ShowOnlineLayout() = 0;
    virtual void ShowOfflineLayout() = 0;
    virtual void ShowOfflineData() {}
    // Every pass, before the mode is looked at.
    virtual void PassStarting() {}
    // Read steps of an online pass: one per WindowAdd entry unless the window reads otherwise.
    virtual int ReadStepCount() const { return static_cast<int>(WindowAdd.size()); }
    // Reads WindowAdd(index) and shows it; false ends the pass (the read failed).
    virtual bool ReadOnlineValue(int index);
    virtual void ShowOnlineValue(int index, const QString& value);
    // After every pass, also one that ended early.
    virtual void PassEnded() {}

    static QString indexedName(const QString& name, int index);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    bool WindowActive = false;
    bool OnlineLayoutShown = false;
    bool OfflineLayoutShown = false;
    std::vector<QString> WindowAdd;
    bool EscPending = false;
    // Carries no action; the focus is parked here when it is taken out of an entry box.
    QPushButton* cmdDefault;

private:
    void activate();
    void watchSubWindowActivation();
    void subWindowActivated(QMdiSubWindow* window);
    void unload();
    void startPass();
    void readNext();
    void endPass(int nextStepInMs);
    void scheduleStep(int inMs);

    AppContext& context_;
    std::function<void()> setOnlineMode_;
    QTimer cycle_;
    int readIndex_ = -1; // -1: the next step starts a pass
    bool stepping_ = false;
    bool activated_ = false;
    QMdiSubWindow* lastActiveSubWindow_ = nullptr;
    long long passCount_ = 0;
};
