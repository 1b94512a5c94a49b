#include "TimingChannelTable.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "AppContext.h"
#include "EntryBox.h"
#include "Numbers.h"
#include "NumericEntry.h"
#include "Prompter.h"
#include "RSComm.h"
#include "UpDown.h"

namespace {
const char* const RowCaptions[] = {"BDC (Cont./Single) Timing (CH0&0):",
                                   "BDC (Inch) Timing (CH0&1):",
                                   "Short Can Check Timing (CH0&2):",
                                   "Sensor Check Timing (CH0&3):",
                                   "Cupfeed Timing (CH0&4):",
                                   "Air Strip (Normal) Timing (CH0&5):",
                                   "Air Strip (Initial) Timing (CH0&6):",
                                   "PLC Clock Timing (CH0&7):"};
const QString Cleared = QStringLiteral("*****");
const QString Failed = QStringLiteral("---");
const QString CRLF = QStringLiteral("\r\n");
constexpr int MaxSetpoint = 359;
constexpr int OnRecalled = 1;
constexpr int OffRecalled = 0;

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}
} // namespace

TimingChannelTable::TimingChannelTable(AppContext& context, bool& escPending, QWidget* cmdDefault,
                                       QGroupBox* channels, QGroupBox* commands, QWidget* window)
    : QObject(window), context_(context), escPending_(escPending), cmdDefault_(cmdDefault) {
    buildTable(channels);
    buildCommands(commands, window);
}

RSComm& TimingChannelTable::link() const {
    return *context_.TargetComm;
}

// Tab order runs row by row: ON entry and up-down, OFF entry and up-down.
void TimingChannelTable::buildTable(QGroupBox* frame) {
    auto* grid = new QGridLayout(frame);
    for (int column = 0; column < 2; ++column) {
        auto* heading =
            new QLabel(column == 0 ? QStringLiteral("ON") : QStringLiteral("OFF"), frame);
        heading->setObjectName(indexed("lblChannel", ChannelCount + column));
        heading->setAlignment(Qt::AlignCenter);
        lblChannel[ChannelCount + column] = heading;
        grid->addWidget(heading, 0, 1 + 2 * column, 1, 2);
    }
    NumericEntry::Options options;
    options.validateAgainAfterLeaving = true;
    options.passedUnchecked = Cleared;
    QWidget* previous = nullptr;
    for (int c = 0; c < ChannelCount; ++c) {
        lblChannel[c] = new QLabel(QLatin1String(RowCaptions[c]), frame);
        lblChannel[c]->setObjectName(indexed("lblChannel", c));
        grid->addWidget(lblChannel[c], c + 1, 0);
        for (int column = 0; column < 2; ++column) {
            const int i = c + column * ChannelCount;
            auto* entry = new NumericEntry(
                QStringLiteral("txtChannel"), QStringLiteral("updChannel"), i, 0, MaxSetpoint,
                escPending_, context_.prompter(), cmdDefault_, frame, options);
            txtChannel[i] = entry;
            entry->box()->setMaximumWidth(60);
            grid->addWidget(entry->box(), c + 1, 1 + 2 * column);
            grid->addWidget(entry->upDown(), c + 1, 2 + 2 * column);
            if (previous)
                QWidget::setTabOrder(previous, entry->box());
            QWidget::setTabOrder(entry->box(), entry->upDown());
            previous = entry->upDown();
            entry->setAccessibleName(lblChannel[c]->text() + u' ' +
                                     lblChannel[ChannelCount + column]->text());
            connect(entry, &NumericEntry::accepted, this, [this, i] { setpointAccepted(i); });
            connect(entry, &NumericEntry::upDownChanged, this, [this, i] { upDownChanged(i); });
        }
        lblChannel[c]->setBuddy(txtChannel[c]->box());
    }
}

void TimingChannelTable::buildCommands(QGroupBox* frame, QWidget* window) {
    NumericEntry::Options options;
    options.messageTitle = QStringLiteral("Resolver Offset");
    txtTmg1_ =
        new NumericEntry(QStringLiteral("txtTmg"), QStringLiteral("updTmg"), 1, 0, ChannelCount - 1,
                         escPending_, context_.prompter(), cmdDefault_, frame, options);
    txtTmg1_->box()->setText(QStringLiteral("0"));
    txtTmg1_->setAccessibleName(frame->title());
    txtTmg1_->box()->setMaximumWidth(50);
    connect(txtTmg1_, &NumericEntry::editValueTaken, this,
            [this] { txtTmg1_->box()->setText(Numbers::signedText(txtTmg1_->EditValue)); });
    cmdRecallChan = new QPushButton(QStringLiteral("&Recall Channel"), frame);
    cmdRecallChan->setObjectName(QStringLiteral("cmdRecallChan"));
    cmdClearChan = new QPushButton(QStringLiteral("&Clear Channel"), frame);
    cmdClearChan->setObjectName(QStringLiteral("cmdClearChan"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(txtTmg1_->box(), 0, 0);
    grid->addWidget(txtTmg1_->upDown(), 0, 1);
    grid->addWidget(cmdRecallChan, 0, 2);
    grid->addWidget(cmdClearChan, 0, 3);
    connect(cmdRecallChan, &QPushButton::clicked, window, [this] { RecallChan(); });
    connect(cmdClearChan, &QPushButton::clicked, window, [this] { ClearChan(); });
}

void TimingChannelTable::setTableEnabled(bool enabled) {
    for (QLabel* label : lblChannel)
        label->setEnabled(enabled);
    for (NumericEntry* entry : txtChannel)
        entry->setEnabled(enabled);
}

void TimingChannelTable::showDashes() {
    for (int i = 0; i < EntryCount; ++i)
        setText(i, QStringLiteral("-"));
}

void TimingChannelTable::showCurrentData() {
    for (int i = 0; i < EntryCount; ++i)
        setText(i, QString::number(
                       context_.CurrentData.ChanSetpoint[i % ChannelCount][i / ChannelCount]));
}

QString TimingChannelTable::text(int entry) const {
    return txtChannel[static_cast<std::size_t>(entry)]->box()->text();
}

void TimingChannelTable::setText(int entry, const QString& text) {
    txtChannel[static_cast<std::size_t>(entry)]->box()->setText(text);
}

void TimingChannelTable::setRowText(int channel, const QString& text) {
    setText(channel, text);
    setText(channel + ChannelCount, text);
}

int TimingChannelTable::wholeNumber(int entry) const {
    return static_cast<int>(Numbers::toInt16(Numbers::leadingNumber(text(entry))).value_or(0));
}

void TimingChannelTable::storeSetpoint(int entry, int value) {
    context_.CurrentData.ChanSetpoint[entry % ChannelCount][entry / ChannelCount] =
        static_cast<std::int16_t>(value);
}

// The entry is rewritten as the whole number that is stored and programmed.
void TimingChannelTable::setpointAccepted(int entry) {
    NumericEntry* box = txtChannel[static_cast<std::size_t>(entry)];
    const int c = entry % ChannelCount;
    const int whole = wholeNumber(entry);
    setText(entry, QString::number(whole));
    if (whole == box->EditValue)
        return;
    if (wholeNumber(c) == wholeNumber(c + ChannelCount)) {
        box->reject(QStringLiteral("ON Setpoint cannot Equal OFF Setpoint"));
        return;
    }
    storeSetpoint(entry, whole);
    if (link().OnlineMode)
        programChannel(c);
}

void TimingChannelTable::upDownChanged(int entry) {
    escPending_ = false;
    txtChannel[static_cast<std::size_t>(entry)]->parkFocus();
    storeSetpoint(entry, wholeNumber(entry));
    if (link().OnlineMode)
        programChannel(entry % ChannelCount);
}

void TimingChannelTable::programChannel(int channel) {
    RSComm& comm = link();
    const bool ok = comm.SingleSetpoint(channel, wholeNumber(channel),
                                        wholeNumber(channel + ChannelCount), true);
    if (!comm.CommError && !ok)
        context_.prompter().ask(QStringLiteral("Channel Setpoint"),
                                QStringLiteral("Unable to Successfully Program Setpoint for "
                                               "Channel CH0") +
                                    QString::number(channel) + QStringLiteral("."),
                                Prompter::Icon::Critical, Prompter::Buttons::OK);
}

bool TimingChannelTable::RecallChannelState(int Chan) {
    RSComm& comm = link();
    if (!comm.OnlineMode || !comm.RecallChannel(Chan))
        return false;
    RecallState = comm.ChannelRecallState();
    RecallPos = static_cast<int>(comm.ChannelRecallPos());
    return true;
}

void TimingChannelTable::RecallChannelSetpoints(int Chan, bool Store) {
    int steps = 0;
    while (steps < 2) {
        if (!RecallChannelState(Chan)) {
            if (link().CommError)
                return;
            const int answer = context_.prompter().ask(
                QStringLiteral("Channel Recall"), QStringLiteral("Unable to Recall Channel"),
                Prompter::Icon::Question, Prompter::Buttons::RetryCancel);
            if (answer != Prompter::Retry) {
                setRowText(Chan, Failed);
                return;
            }
            steps = 0;
            continue;
        }
        ++steps;
        if (RecallState != OnRecalled && RecallState != OffRecalled) {
            setRowText(Chan, Cleared);
            if (Store) {
                storeSetpoint(Chan, 0);
                storeSetpoint(Chan + ChannelCount, 0);
            }
            return;
        }
        const int entry = RecallState == OnRecalled ? Chan : Chan + ChannelCount;
        setText(entry, QString::number(RecallPos));
        if (Store)
            storeSetpoint(entry, RecallPos);
    }
}

void TimingChannelTable::RecallAllChannels() {
    cmdDefault_->setFocus(Qt::OtherFocusReason);
    for (int c = 0; c < ChannelCount && !link().CommError; ++c)
        RecallChannelSetpoints(c, false);
}

// The channel number is checked against its range first: a shortcut presses the button
// without the box ever being left, and a channel beyond the table must not reach the PLS.
bool TimingChannelTable::takeChannelNumber(int& channel) {
    EntryBox* box = txtTmg1_->box();
    if (!txtTmg1_->Validate())
        return false;
    channel = static_cast<int>(Numbers::roundHalfEven(Numbers::leadingNumber(box->text())));
    box->setText(QString::number(channel));
    return true;
}

void TimingChannelTable::RecallChan() {
    int channel = 0;
    if (takeChannelNumber(channel))
        RecallChannelSetpoints(channel, false);
}

void TimingChannelTable::ClearChan() {
    for (;;) {
        int channel = 0;
        if (!takeChannelNumber(channel))
            return;
        const int answer = context_.prompter().ask(
            QStringLiteral("Clear Channel"),
            QStringLiteral("You are about to Clear Channel CH0") + QString::number(channel) +
                QStringLiteral(".") + CRLF + CRLF + QStringLiteral("Do you wish to continue?"),
            Prompter::Icon::Question, Prompter::Buttons::YesNoCancel);
        if (answer != Prompter::Yes)
            return;
        RSComm& comm = link();
        if (!comm.OnlineMode) {
            if (context_.OfflineEditing) {
                setRowText(channel, Cleared);
                storeSetpoint(channel, 0);
                storeSetpoint(channel + ChannelCount, 0);
            }
            return;
        }
        const bool ok = comm.ClearPLSChan(channel);
        if (comm.CommError)
            return;
        if (ok) {
            RecallChannelSetpoints(channel, true);
            return;
        }
        if (context_.prompter().ask(
                QStringLiteral("Clear Channel"), QStringLiteral("Unable to Clear Channel"),
                Prompter::Icon::Question, Prompter::Buttons::RetryCancel) != Prompter::Retry) {
            setRowText(channel, Failed);
            return;
        }
    }
}
