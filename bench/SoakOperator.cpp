#include "SoakOperator.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <cstdio>

#include "AppContext.h"
#include "DataTransfer.h"
#include "RSComm.h"
#include "SimulatorProcess.h"
#include "SoakPrompter.h"
#include "SoakState.h"
#include "frmMDIMain.h"

namespace {

constexpr int TickMs = 200;
constexpr int HeartbeatMs = 100;
constexpr int WindowCount = 5;
constexpr int SetupWindow = 1;
constexpr int TimingWindow = 2;
constexpr double EntryAfterSeconds = 1.5;
constexpr double OfflinePatienceSeconds = 1;
constexpr int HighestSetpoint = 350;
constexpr int ChannelCount = SetupData::ChannelCount;

// The set-up window's entries 1 to 7 (0 waits for its check box) and their largest values.
const int SetupMaximum[] = {359, 999, 99, 99, 999, 999, 899, 999};

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QString channelText(int on, int off) {
    return on == 0 && off == 0 ? QStringLiteral("cleared")
                               : QStringLiteral("setpoints %1 %2").arg(on).arg(off);
}

} // namespace

SoakOperator::SoakOperator(frmMDIMain& main, RSComm& link, SimulatorProcess& sim,
                           SoakPrompter& prompter, SoakState& state, unsigned seed)
    : main_(main), link_(link), sim_(sim), prompter_(prompter), state_(state), random_(seed) {
    connect(&ticker_, &QTimer::timeout, this, &SoakOperator::tick);
    connect(&heartbeat_, &QTimer::timeout, this, [this] { state_.heartbeat = state_.now(); });
}

void SoakOperator::start() {
    nextTransfer_ = state_.now() + between(15, 30);
    visitStart_ = state_.now();
    visitLength_ = between(3, 7);
    runMenu("mnuBMForm(0)");
    ticker_.start(TickMs);
    heartbeat_.start(HeartbeatMs);
}

int SoakOperator::between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random_);
}

// Nothing of the operator's own is under way, no link operation runs and no dialog is open
// (a transfer lets the event loop run while it works).
bool SoakOperator::idle() const {
    return !acting_ && !link_.IsBusy() && QApplication::activeModalWidget() == nullptr;
}

void SoakOperator::tick() {
    if (!idle())
        return;
    acting_ = true;
    const double now = state_.now();
    if (!link_.OnlineMode)
        goOnlineWhenOffline();
    else if (now >= nextTransfer_)
        transferData();
    else if (now - visitStart_ >= visitLength_)
        switchWindow();
    else if (!entryMade_ && now - visitStart_ >= EntryAfterSeconds)
        makeEntry();
    offlineSince_ = link_.OnlineMode ? -1 : offlineSince_;
    acting_ = false;
}

bool SoakOperator::runMenu(const char* action) {
    auto* item = main_.findChild<QAction*>(QLatin1String(action));
    if (!item || !item->isEnabled())
        return false;
    item->trigger();
    return true;
}

// As an operator would after a failure: View > Online Data again, shortly.
void SoakOperator::goOnlineWhenOffline() {
    const double now = state_.now();
    if (offlineSince_ < 0) {
        offlineSince_ = now;
        return;
    }
    if (now - offlineSince_ >= OfflinePatienceSeconds) {
        offlineSince_ = now;
        runMenu("mnuViewOnline");
    }
}

void SoakOperator::switchWindow() {
    window_ = (window_ + 1) % WindowCount;
    if (window_ == 0)
        ++passes_;
    runMenu(qPrintable(indexed("mnuBMForm", window_)));
    visitStart_ = state_.now();
    visitLength_ = between(3, 7);
    entryMade_ = false;
}

void SoakOperator::makeEntry() {
    entryMade_ = true;
    if (window_ == SetupWindow)
        setupEntry();
    else if (window_ == TimingWindow)
        timingEntry();
}

QLineEdit* SoakOperator::box(const QString& name) const {
    QWidget* window = main_.currentMachineWindow();
    return window ? window->findChild<QLineEdit*>(name) : nullptr;
}

// Types the text into the entry box and presses Enter; true when the window took the entry
// (the focus moved on and the box shows it). Enter moves the focus, which validates and
// writes the entry before the key press returns.
bool SoakOperator::typeInto(const QString& name, const QString& text) {
    QLineEdit* entry = box(name);
    if (!entry || !entry->isEnabled() || !entry->isVisible())
        return false;
    QApplication::setActiveWindow(&main_);
    entry->setFocus(Qt::MouseFocusReason);
    entry->selectAll();
    QTest::keyClicks(entry, text);
    QTest::keyClick(entry, Qt::Key_Return);
    if (!entry->hasFocus() && entry->text() == text)
        return true;
    ++entriesNotTaken_;
    return false;
}

void SoakOperator::setupEntry() {
    const int index = between(1, 7);
    const int value = between(1, SetupMaximum[index]);
    const long long messages = prompter_.answered();
    if (!typeInto(indexed("txtBMSetup", index), QString::number(value)))
        return;
    ++writesSent_;
    // A write the program reported trouble with is the operator's to judge, not a wrong result.
    if (prompter_.answered() != messages || !link_.OnlineMode || link_.CommError)
        return;
    const QString address = main_.context().CurrentData.ParamAdd[std::size_t(index)];
    const qint64 held = boardValue(address);
    if (held == value)
        ++writesVerified_;
    else
        wrong(QStringLiteral("entry %1 = %2 written without a message, the board holds %3")
                  .arg(address)
                  .arg(value)
                  .arg(held));
}

void SoakOperator::timingEntry() {
    const int channel = between(0, ChannelCount - 1);
    QLineEdit* offBox = box(indexed("txtChannel", channel + ChannelCount));
    if (!offBox || offBox->text() == QLatin1String("-"))
        return;
    const int off = offBox->text().toInt(); // "*****", a cleared channel, reads 0
    int on = between(1, HighestSetpoint);
    while (on == off)
        on = between(1, HighestSetpoint);
    const long long messages = prompter_.answered();
    if (!typeInto(indexed("txtChannel", channel), QString::number(on)))
        return;
    ++writesSent_;
    if (prompter_.answered() != messages || !link_.OnlineMode || link_.CommError)
        return;
    const QString expected = channelText(on, offBox->text().toInt());
    const QString held = boardChannel(channel);
    if (held == expected)
        ++writesVerified_;
    else
        wrong(QStringLiteral("channel %1 programmed as \"%2\" without a message, the board "
                             "holds \"%3\"")
                  .arg(channel)
                  .arg(expected, held));
}

// Upload, someone changes values at the machine, download: the board must then hold what the
// download sent, whenever it reported success.
void SoakOperator::transferData() {
    ++transfers_;
    window_ = 0;
    runMenu("mnuBMForm(0)");
    visitStart_ = state_.now();
    entryMade_ = false;
    lastOutcome_ = DataTransferCommands::Outcome::Declined;
    runMenu("mnuFileUpload");
    disturbBoard();
    const SetupData before = main_.context().CurrentData;
    lastOutcome_ = DataTransferCommands::Outcome::Declined;
    runMenu("mnuFileDownload");
    if (lastOutcome_ == DataTransferCommands::Outcome::Completed)
        checkDownload(before);
    nextTransfer_ = state_.now() + between(120, 240);
}

void SoakOperator::disturbBoard() {
    const int index = between(1, 7);
    const QString address = main_.context().CurrentData.ParamAdd[std::size_t(index)];
    const int on = between(1, HighestSetpoint);
    const int off = on == HighestSetpoint ? 1 : on + 1;
    sim_.control(QStringLiteral("set %1 %2").arg(address).arg(between(1, SetupMaximum[index])));
    sim_.control(
        QStringLiteral("channel %1 %2 %3").arg(between(0, ChannelCount - 1)).arg(on).arg(off));
}

void SoakOperator::checkDownload(const SetupData& sent) {
    ++downloadsChecked_;
    const SetupData& memory = main_.context().CurrentData;
    for (int i = 0; i <= DataTransfer::DownloadLastParam; ++i) {
        const QString address = sent.ParamAdd[std::size_t(i)];
        const qint64 held = boardValue(address);
        if (held != sent.valueAt(i) || memory.valueAt(i) != sent.valueAt(i))
            wrong(QStringLiteral("download reported done: %1 sent %2, memory %3, board %4")
                      .arg(address)
                      .arg(sent.valueAt(i))
                      .arg(memory.valueAt(i))
                      .arg(held));
    }
    for (int c = 0; c < ChannelCount; ++c) {
        const auto& setpoints = sent.ChanSetpoint[std::size_t(c)];
        const QString expected =
            channelText(setpoints[SetupData::OnColumn], setpoints[SetupData::OffColumn]);
        const QString held = boardChannel(c);
        if (held != expected)
            wrong(QStringLiteral("download reported done: channel %1 sent \"%2\", board \"%3\"")
                      .arg(c)
                      .arg(expected, held));
    }
}

// The board's value as the program reads it: words and double words signed.
qint64 SoakOperator::boardValue(const QString& address) {
    const qint64 raw = sim_.value(address);
    if (raw < 0)
        return raw;
    if (address.startsWith(u'W') && raw > 0x7FFF)
        return raw - 0x10000;
    if (address.startsWith(u'D') && raw > 0x7FFFFFFF)
        return raw - 0x100000000LL;
    return raw;
}

QString SoakOperator::boardChannel(int channel) {
    const QString answer = sim_.control(QStringLiteral("channel %1").arg(channel));
    return answer.startsWith(QLatin1String("ok ")) ? answer.mid(3) : answer;
}

// Told at once as well, so a long run can be watched.
void SoakOperator::wrong(const QString& what) {
    wrongResults_.append(QStringLiteral("%1 s: %2").arg(state_.now(), 0, 'f', 1).arg(what));
    std::fprintf(stderr, "soak: %s\n", qPrintable(wrongResults_.last()));
}
