#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <random>

#include "DataTransferCommands.h"
#include "SetupData.h"

class QLineEdit;
class RSComm;
class SimulatorProcess;
class SoakPrompter;
class frmMDIMain;
struct SoakState;

// The operator of the soak: cycles through the five machine windows, makes entries in the
// set-up and timing windows, uploads and downloads the whole data set every few minutes and
// goes back online when the program dropped offline. Every action goes through the
// program's own windows and menus; the board is read through the simulator's control
// channel to check what the program reported as done.
class SoakOperator : public QObject {
    Q_OBJECT
public:
    SoakOperator(frmMDIMain& main, RSComm& link, SimulatorProcess& sim, SoakPrompter& prompter,
                 SoakState& state, unsigned seed);

    void start();
    // Called by the menu commands the soak gives the main window.
    void recordOutcome(DataTransferCommands::Outcome outcome) { lastOutcome_ = outcome; }

    long long passes() const { return passes_; }
    long long writesSent() const { return writesSent_; }
    long long writesVerified() const { return writesVerified_; }
    long long downloadsChecked() const { return downloadsChecked_; }
    long long transfers() const { return transfers_; }
    // Entries typed that the window did not take (refused with a message, or the box busy).
    long long entriesNotTaken() const { return entriesNotTaken_; }
    // Things the program reported done that the board does not hold.
    const QStringList& wrongResults() const { return wrongResults_; }

private:
    void tick();
    bool idle() const;
    void goOnlineWhenOffline();
    void switchWindow();
    void makeEntry();
    void setupEntry();
    void timingEntry();
    void transferData();
    void disturbBoard();
    void checkDownload(const SetupData& sent);
    bool typeInto(const QString& name, const QString& text);
    QLineEdit* box(const QString& name) const;
    qint64 boardValue(const QString& address);
    QString boardChannel(int channel);
    bool runMenu(const char* action);
    void wrong(const QString& what);
    int between(int low, int high);

    frmMDIMain& main_;
    RSComm& link_;
    SimulatorProcess& sim_;
    SoakPrompter& prompter_;
    SoakState& state_;
    std::mt19937 random_;
    QTimer ticker_;
    QTimer heartbeat_;
    bool acting_ = false;

    int window_ = 0;
    double visitStart_ = 0;
    double visitLength_ = 0;
    bool entryMade_ = false;
    double offlineSince_ = -1;
    double nextTransfer_ = 0;
    DataTransferCommands::Outcome lastOutcome_ = DataTransferCommands::Outcome::Declined;

    long long passes_ = 0;
    long long writesSent_ = 0;
    long long writesVerified_ = 0;
    long long downloadsChecked_ = 0;
    long long transfers_ = 0;
    long long entriesNotTaken_ = 0;
    QStringList wrongResults_;
};
