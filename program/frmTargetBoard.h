#pragma once

#include <QDateTime>
#include <QDialog>
#include <QTimer>
#include <array>
#include <functional>
#include <initializer_list>

class NumericEntry;
class Prompter;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class RSComm;

// View > Target Board Interface: fault codes with corrective actions, the program ident on
// disk against the one in the board, the network address and, on boards with a clock, the
// board's time and date. It goes online by itself and refreshes while it is open.
class frmTargetBoard final : public QDialog {
    Q_OBJECT

public:
    static constexpr int EntryCount = 8;
    static constexpr int FaultCount = 6;

    frmTargetBoard(RSComm& targetComm, Prompter& prompter, std::function<void()> setOnlineMode,
                   QWidget* parent = nullptr);

    // Prepares the window for the program file and shows it modally until it closes.
    void InitializeForm(const QString& TekoraFile);
    // The preparation alone (tests show the window themselves).
    void prepare(const QString& TekoraFile);
    // One pass of the refresh cycle.
    void RefreshPass();
    void setClock(std::function<QDateTime()> now) { now_ = std::move(now); }
    bool windowActive() const { return windowActive_; }

    void cmdGoOnline_Click();
    void cmdResetFaults_Click();
    void cmdSetToCurrTime_Click();
    void cmdSetToCurrDate_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildControls();
    QWidget* buildFaultPage();
    QWidget* buildIdentPage();
    QWidget* buildNetworkPage();
    QWidget* buildClockPage();
    QLabel* label(const QString& name, const QString& text);
    void addEntry(class QGridLayout* grid, int index, int row);
    void showPage(int index);
    void ShowOnlineLayout();
    void describeCodes(const QString& fileName, std::initializer_list<int> boxes);
    void ShowOfflineLayout();
    void ReadOnlineData();
    void showComputerClock();
    void setRow(int index, bool visible, bool enabled);
    void writeEntry(int index);
    void writeInOrder(const QStringList& addresses, const QList<int>& values);
    void endCycle();

    RSComm& targetComm_;
    Prompter& prompter_;
    std::function<void()> setOnlineMode_;
    std::function<QDateTime()> now_ = [] { return QDateTime::currentDateTime(); };

    QTabBar* tabTargetBoard_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    std::array<QGroupBox*, 4> fraTargetBoard_{};
    std::array<QLabel*, 14> lblTargetBoard_{};
    std::array<QLineEdit*, FaultCount> txtTargetBoard_{};
    std::array<QLabel*, 5> lblRevIdentOnDisk_{};
    std::array<QLabel*, 3> lblRevIdentInPLC_{};
    std::array<QLabel*, EntryCount> lblSetupDesc_{};
    // txtSetup(i) with its up-down updSetup(i).
    std::array<NumericEntry*, EntryCount> entries_{};
    QLabel* lblNetworkAddComment_ = nullptr;
    QLabel* lblTargetBoardTime_ = nullptr;
    QLabel* lblTargetBoardDate_ = nullptr;
    QLabel* lblCurrTime_ = nullptr;
    QLabel* lblCurrDate_ = nullptr;
    QPushButton* cmdResetFaults_ = nullptr;
    QPushButton* cmdSetToCurrTime_ = nullptr;
    QPushButton* cmdSetToCurrDate_ = nullptr;
    QPushButton* cmdGoOnline_ = nullptr;
    QPushButton* cmdOk_ = nullptr;
    QPushButton* cmdDefault_ = nullptr;
    QTimer cycle_;

    bool windowActive_ = false;
    bool onlineLayoutShown_ = false;
    bool offlineLayoutShown_ = false;
    bool escPending_ = false;
    std::array<bool, EntryCount> entryEditing_{};
    std::array<QString, FaultCount> faultHex_;
    int diskBoardType_ = 0;
    int lastSecond_ = -1;
};
