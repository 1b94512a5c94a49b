#pragma once

#include <QObject>
#include <array>
#include <cstdint>

class AppContext;
class NumericEntry;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;
class RSComm;

// The eight PLS timing channels of the Machine Timing window with their ON and OFF setpoint
// entries, and the channel-number entry with Recall Channel and Clear Channel. Online every
// accepted setpoint programs its channel as one ON/OFF pair; offline, with offline editing,
// the setpoints are edited in CurrentData only.
class TimingChannelTable : public QObject {
    Q_OBJECT
public:
    static constexpr int ChannelCount = 8;
    static constexpr int EntryCount = 2 * ChannelCount;

    // The table goes into `channels` (fraTmg(0)), the channel number and its two buttons into
    // `commands` (fraTmg(3)).
    TimingChannelTable(AppContext& context, bool& escPending, QWidget* cmdDefault,
                       QGroupBox* channels, QGroupBox* commands, QWidget* window);

    NumericEntry* channelEntry() const { return txtTmg1_; }
    QPushButton* recallButton() const { return cmdRecallChan; }
    QPushButton* clearButton() const { return cmdClearChan; }

    // Labels, entries and up-downs of the table.
    void setTableEnabled(bool enabled);
    void showDashes();
    void showCurrentData();
    void RecallAllChannels();

private:
    void buildTable(QGroupBox* frame);
    void buildCommands(QGroupBox* frame, QWidget* window);
    RSComm& link() const;
    QString text(int entry) const;
    void setText(int entry, const QString& text);
    void setRowText(int channel, const QString& text);
    int wholeNumber(int entry) const;
    void storeSetpoint(int entry, int value);
    void setpointAccepted(int entry);
    void upDownChanged(int entry);
    void programChannel(int channel);
    bool RecallChannelState(int Chan);
    void RecallChannelSetpoints(int Chan, bool Store);
    bool takeChannelNumber(int& channel);
    void RecallChan();
    void ClearChan();

    AppContext& context_;
    bool& escPending_;
    QWidget* cmdDefault_;
    std::array<QLabel*, ChannelCount + 2> lblChannel{};
    std::array<NumericEntry*, EntryCount> txtChannel{};
    NumericEntry* txtTmg1_ = nullptr;
    QPushButton* cmdRecallChan = nullptr;
    QPushButton* cmdClearChan = nullptr;
    int RecallState = 0;
    int RecallPos = 0;
};
