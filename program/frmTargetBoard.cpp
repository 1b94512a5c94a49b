#include "frmTargetBoard.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "BoardTypes.h"
#include "CommSettings.h"
#include "EntryBox.h"
#include "GeneralDate.h"
#include "HexText.h"
#include "NumericEntry.h"
#include "PathUtility.h"
#include "Prompter.h"
#include "RSComm.h"
#include "TargetBoardFaults.h"
#include "UpDown.h"

namespace {

struct Entry {
    const char* caption;
    const char* address;
    int min;
    int max;
};
constexpr Entry Entries[frmTargetBoard::EntryCount] = {
    {"Current Network Address 1:", "B8180", 1, 32},
    {"Current Network Address 2:", "B8191", 1, 32},
    {"Hr.", "B43012", 0, 23},
    {"Min.", "B43010", 0, 59},
    {"Sec.", "B43008", 0, 59},
    {"Mo.", "B43016", 1, 12},
    {"Day", "B43015", 1, 31},
    {"Yr.", "B43017", 0, 99}};
constexpr const char* FaultAdd[frmTargetBoard::FaultCount] = {"B8176", "B8177", "B8175",
                                                              "B8177", "B8179", "B8178"};
constexpr int CycleIntervalMs = 50;
constexpr int IdentAddress = 61424;
const QString CannotCommunicate = QStringLiteral("Cannot Communicate with Target Board.");

bool hasClock(int board) {
    return board == 54 || board == 65;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

frmTargetBoard::frmTargetBoard(RSComm& targetComm, Prompter& prompter,
                               std::function<void()> setOnlineMode, QWidget* parent)
    : QDialog(parent), targetComm_(targetComm), prompter_(prompter),
      setOnlineMode_(std::move(setOnlineMode)), cycle_(this) {
    setObjectName(QStringLiteral("frmTargetBoard"));
    setWindowTitle(QStringLiteral("Target Board Interface"));
    setModal(true);
    buildControls();
    cycle_.setInterval(CycleIntervalMs);
    connect(&cycle_, &QTimer::timeout, this, &frmTargetBoard::RefreshPass);
}

QLabel* frmTargetBoard::label(const QString& name, const QString& text) {
    auto* item = new QLabel(text);
    item->setObjectName(name);
    return item;
}

void frmTargetBoard::buildControls() {
    tabTargetBoard_ = new QTabBar(this);
    tabTargetBoard_->setObjectName(QStringLiteral("tabTargetBoard"));
    for (const char* tab : {"&Fault Codes / Status", "&Program Ident/Revision",
                            "&Set Network Address", "S&et Time && Date"})
        tabTargetBoard_->addTab(QLatin1String(tab));
    // The entry boxes park the focus here, so it comes before the pages.
    cmdDefault_ = new QPushButton(QStringLiteral("-"), this);
    cmdDefault_->setObjectName(QStringLiteral("cmdDefault"));
    cmdDefault_->setFixedSize(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabTargetBoard_);
    QWidget* pages[4] = {buildFaultPage(), buildIdentPage(), buildNetworkPage(), buildClockPage()};
    const char* titles[4] = {"Fault Codes / Status", "Program Ident/Revision",
                             "Set Network Address", "Set Time && Date"};
    // One frame shows at a time; the stack is as large as the largest, so the window does not
    // jump when the tab changes.
    pages_ = new QStackedWidget;
    for (int k = 0; k < 4; ++k) {
        fraTargetBoard_[k] = new QGroupBox(QLatin1String(titles[k]));
        fraTargetBoard_[k]->setObjectName(QStringLiteral("fraTargetBoard(%1)").arg(k));
        fraTargetBoard_[k]->setFlat(true);
        auto* frameLayout = new QVBoxLayout(fraTargetBoard_[k]);
        frameLayout->addWidget(pages[k]);
        pages_->addWidget(fraTargetBoard_[k]);
    }
    layout->addWidget(pages_);
    connect(tabTargetBoard_, &QTabBar::currentChanged, this, &frmTargetBoard::showPage);

    auto* buttons = new QHBoxLayout;
    cmdGoOnline_ = new QPushButton(QStringLiteral("&Go Online"));
    cmdGoOnline_->setObjectName(QStringLiteral("cmdGoOnline"));
    cmdOk_ = new QPushButton(QStringLiteral("&Ok"));
    cmdOk_->setObjectName(QStringLiteral("cmdOk"));
    buttons->addWidget(cmdDefault_);
    buttons->addStretch();
    buttons->addWidget(cmdGoOnline_);
    buttons->addWidget(cmdOk_);
    layout->addLayout(buttons);
    // Made first for the entry boxes, but last in the Tab order, where it was built before.
    QWidget::setTabOrder(cmdOk_, cmdDefault_);
    connect(cmdGoOnline_, &QPushButton::clicked, this, &frmTargetBoard::cmdGoOnline_Click);
    connect(cmdOk_, &QPushButton::clicked, this, [this] {
        windowActive_ = false;
        endCycle();
    });
}

QWidget* frmTargetBoard::buildFaultPage() {
    auto* page = new QWidget;
    auto* grid = new QVBoxLayout(page);
    const char* frames[2] = {"Internal Fault Code:", "Communications Network Error Codes:"};
    const int rows[2][3] = {{0, 1, 3}, {4, 5, -1}};
    const char* captions[6] = {"Current Fault:",     "Last Fault:",         "CO-CPU Slot:",
                               "Corrective Action:", "Current Comm Error:", "Last Comm Error:"};
    for (int f = 0; f < 2; ++f) {
        auto* frame = new QGroupBox(QLatin1String(frames[f]));
        frame->setObjectName(QStringLiteral("fraDescription(%1)").arg(f));
        auto* inner = new QGridLayout(frame);
        for (int r = 0; r < 3 && rows[f][r] >= 0; ++r) {
            const int i = rows[f][r];
            lblTargetBoard_[i] =
                label(QStringLiteral("lblTargetBoard(%1)").arg(i), QLatin1String(captions[i]));
            txtTargetBoard_[i] = new QLineEdit;
            txtTargetBoard_[i]->setObjectName(QStringLiteral("txtTargetBoard(%1)").arg(i));
            txtTargetBoard_[i]->setReadOnly(true);
            inner->addWidget(lblTargetBoard_[i], r, 0);
            inner->addWidget(txtTargetBoard_[i], r, 1);
        }
        if (f == 0) {
            lblTargetBoard_[2] =
                label(QStringLiteral("lblTargetBoard(2)"), QLatin1String(captions[2]));
            inner->addWidget(lblTargetBoard_[2], 3, 0);
        }
        grid->addWidget(frame);
    }
    cmdResetFaults_ = new QPushButton(QStringLiteral("&Reset Faults"));
    cmdResetFaults_->setObjectName(QStringLiteral("cmdResetFaults"));
    connect(cmdResetFaults_, &QPushButton::clicked, this, &frmTargetBoard::cmdResetFaults_Click);
    grid->addWidget(cmdResetFaults_);
    return page;
}

QWidget* frmTargetBoard::buildIdentPage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    const char* disk[5] = {"Name:", "Revision:", "Checksum:", "Target Board:", "Rev Date:"};
    const int diskIndex[5] = {6, 7, 8, 9, 13};
    auto* onDisk = new QGroupBox(QStringLiteral("On Disk:"));
    onDisk->setObjectName(QStringLiteral("fraDescription(2)"));
    auto* diskGrid = new QGridLayout(onDisk);
    for (int r = 0; r < 5; ++r) {
        lblTargetBoard_[diskIndex[r]] =
            label(QStringLiteral("lblTargetBoard(%1)").arg(diskIndex[r]), QLatin1String(disk[r]));
        lblRevIdentOnDisk_[r] = label(QStringLiteral("lblRevIdentOnDisk(%1)").arg(r), {});
        diskGrid->addWidget(lblTargetBoard_[diskIndex[r]], r, 0);
        diskGrid->addWidget(lblRevIdentOnDisk_[r], r, 1);
    }
    auto* inBoard = new QGroupBox(QStringLiteral("In Target Board:"));
    inBoard->setObjectName(QStringLiteral("fraDescription(3)"));
    auto* boardGrid = new QGridLayout(inBoard);
    for (int r = 0; r < 3; ++r) {
        lblTargetBoard_[10 + r] =
            label(QStringLiteral("lblTargetBoard(%1)").arg(10 + r), QLatin1String(disk[r]));
        lblRevIdentInPLC_[r] = label(QStringLiteral("lblRevIdentInPLC(%1)").arg(r), {});
        boardGrid->addWidget(lblTargetBoard_[10 + r], r, 0);
        boardGrid->addWidget(lblRevIdentInPLC_[r], r, 1);
    }
    layout->addWidget(onDisk);
    layout->addWidget(inBoard);
    return page;
}

void frmTargetBoard::addEntry(QGridLayout* grid, int i, int row) {
    lblSetupDesc_[i] =
        label(QStringLiteral("lblSetupDesc(%1)").arg(i), QLatin1String(Entries[i].caption));
    NumericEntry::Options options;
    options.messageTitle = QStringLiteral("Set-up") + lblSetupDesc_[i]->text();
    options.validateAgainAfterLeaving = true;
    auto* entry =
        new NumericEntry(QStringLiteral("txtSetup"), QStringLiteral("updSetup"), i, Entries[i].min,
                         Entries[i].max, escPending_, prompter_, cmdDefault_, this, options);
    entries_[i] = entry;
    entry->box()->setText(twoDigits(Entries[i].min));
    entry->setAccessibleName(lblSetupDesc_[i]->text());
    grid->addWidget(lblSetupDesc_[i], row, 0);
    grid->addWidget(entry->box(), row, 1);
    grid->addWidget(entry->upDown(), row, 2);
    // The refresh leaves a box alone while the user works in it.
    connect(entry, &NumericEntry::focusReceived, this, [this, i] { entryEditing_[i] = true; });
    connect(entry, &NumericEntry::abandoning, this, [this, i] { entryEditing_[i] = false; });
    connect(entry, &NumericEntry::accepted, this, [this, i] {
        writeEntry(i);
        entryEditing_[i] = false;
    });
    connect(entry, &NumericEntry::upDownChanged, this, [this, entry, i] {
        entryEditing_[i] = false;
        escPending_ = false;
        entry->parkFocus();
        writeEntry(i);
    });
}

QWidget* frmTargetBoard::buildNetworkPage() {
    auto* page = new QGroupBox(QStringLiteral("Target Board Network Address:"));
    page->setObjectName(QStringLiteral("fraDescription(4)"));
    auto* grid = new QGridLayout(page);
    addEntry(grid, 0, 0);
    addEntry(grid, 1, 1);
    lblNetworkAddComment_ = label(QStringLiteral("lblNetworkAddComment"), {});
    lblNetworkAddComment_->setWordWrap(true);
    grid->addWidget(lblNetworkAddComment_, 2, 0, 1, 3);
    // The page is as tall as the largest; the room left goes below the rows.
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* frmTargetBoard::buildClockPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    lblTargetBoardTime_ =
        label(QStringLiteral("lblTargetBoardTime"), QStringLiteral("Target Board Time:"));
    lblTargetBoardDate_ =
        label(QStringLiteral("lblTargetBoardDate"), QStringLiteral("Target Board Date:"));
    grid->addWidget(lblTargetBoardTime_, 0, 0);
    grid->addWidget(lblTargetBoardDate_, 4, 0);
    for (int i = 2; i < EntryCount; ++i)
        addEntry(grid, i, i < 5 ? i - 1 : i);
    cmdSetToCurrTime_ = new QPushButton(QStringLiteral("Set to Current &Time"));
    cmdSetToCurrTime_->setObjectName(QStringLiteral("cmdSetToCurrTime"));
    cmdSetToCurrDate_ = new QPushButton(QStringLiteral("Set to Current &Date"));
    cmdSetToCurrDate_->setObjectName(QStringLiteral("cmdSetToCurrDate"));
    grid->addWidget(cmdSetToCurrTime_, 3, 3);
    grid->addWidget(cmdSetToCurrDate_, 7, 3);
    connect(cmdSetToCurrTime_, &QPushButton::clicked, this,
            &frmTargetBoard::cmdSetToCurrTime_Click);
    connect(cmdSetToCurrDate_, &QPushButton::clicked, this,
            &frmTargetBoard::cmdSetToCurrDate_Click);
    grid->addWidget(label(QStringLiteral("lblCurrTimeDesc"), QStringLiteral("Current Time:")), 8,
                    0);
    lblCurrTime_ = label(QStringLiteral("lblCurrTime"), QStringLiteral("XX : XX : XX"));
    grid->addWidget(lblCurrTime_, 8, 1);
    grid->addWidget(label(QStringLiteral("lblCurrDateDesc"), QStringLiteral("Current Date:")), 9,
                    0);
    lblCurrDate_ = label(QStringLiteral("lblCurrDate"), QStringLiteral("XX - XX - XX"));
    grid->addWidget(lblCurrDate_, 9, 1);
    grid->addWidget(label(QStringLiteral("lblTimeDateNote(0)"), QStringLiteral("Note:")), 10, 0);
    QLabel* note = label(QStringLiteral("lblTimeDateNote(1)"),
                         QStringLiteral("Only the T5514 Display Module and the R2238 "
                                        "Communications CO-CPU board are equipped with real "
                                        "time clocks."));
    note->setWordWrap(true);
    grid->addWidget(note, 10, 1, 1, 3);
    return page;
}

void frmTargetBoard::setRow(int i, bool visible, bool enabled) {
    for (QWidget* w :
         {static_cast<QWidget*>(lblSetupDesc_[i]), static_cast<QWidget*>(entries_[i]->box()),
          static_cast<QWidget*>(entries_[i]->upDown())}) {
        w->setVisible(visible);
        w->setEnabled(enabled);
    }
}

void frmTargetBoard::prepare(const QString& TekoraFile) {
    QString diskIdent = QStringLiteral("-");
    int diskRevision = 0, diskChecksum = 0;
    QString hexPath;
    if (QFileInfo(TekoraFile).isFile()) {
        diskBoardType_ = PathUtility::TekoraFileType(TekoraFile).value_or(0);
        const QString rev = PathUtility::ExistingCaseVariant(
            PathUtility::ChangeFileExt(TekoraFile, QStringLiteral("rev")));
        const PathUtility::FirstField field = PathUtility::ReadFirstField(rev);
        if (field.status == PathUtility::FirstField::Status::Read && field.text.size() >= 4) {
            const QString line = QString::fromLatin1(field.text);
            diskIdent = line.left(line.size() - 4);
            diskRevision = HexText::Hex2Dec(RSComm::MarkHex2HEX(line.right(2))).value_or(0);
            diskChecksum =
                HexText::Hex2Dec(RSComm::MarkHex2HEX(line.mid(line.size() - 4, 2))).value_or(0);
            hexPath = PathUtility::ExistingCaseVariant(
                PathUtility::ChangeFileExt(TekoraFile, QStringLiteral("hex")));
        }
    }
    lblNetworkAddComment_->setText(
        QStringLiteral("Each R2200 board connected to the R2200 Network must be ") +
        QStringLiteral("assigned a unique network address between 1 and 32.") +
        QStringLiteral("\r\n\r\n") +
        QStringLiteral("System function sfunc19(); configures the R2384 serial ") +
        QStringLiteral("communication for the K6674 processor."));
    cmdGoOnline_->hide();
    lblTargetBoard_[2]->hide();
    setRow(1, false, true);
    for (int i = 2; i < EntryCount; ++i) {
        setRow(i, true, false);
        entries_[i]->box()->setText(QStringLiteral("-"));
    }
    for (QWidget* w :
         {static_cast<QWidget*>(lblTargetBoardTime_), static_cast<QWidget*>(lblTargetBoardDate_),
          static_cast<QWidget*>(cmdSetToCurrTime_), static_cast<QWidget*>(cmdSetToCurrDate_)})
        w->setEnabled(false);
    if (diskBoardType_ == 50) {
        lblTargetBoard_[2]->show();
        setRow(0, false, true);
    } else if (hasClock(diskBoardType_)) {
        setRow(0, false, true);
        for (int i = 2; i < EntryCount; ++i)
            setRow(i, true, true);
        for (QWidget* w :
             {static_cast<QWidget*>(lblTargetBoardTime_),
              static_cast<QWidget*>(lblTargetBoardDate_), static_cast<QWidget*>(cmdSetToCurrTime_),
              static_cast<QWidget*>(cmdSetToCurrDate_)})
            w->setEnabled(true);
        if (diskBoardType_ == 65) {
            setRow(1, true, true);
            entries_[1]->box()->clear();
        }
    } else {
        setRow(0, true, true);
    }
    lblRevIdentOnDisk_[0]->setText(diskIdent);
    lblRevIdentOnDisk_[1]->setText(QString::number(diskRevision));
    lblRevIdentOnDisk_[2]->setText(QString::number(diskChecksum));
    lblRevIdentOnDisk_[3]->setText(BoardTypes::GetBoardName(diskBoardType_));
    lblRevIdentOnDisk_[4]->setText(
        hexPath.isEmpty() || !QFileInfo(hexPath).isFile()
            ? QStringLiteral("-")
            : GeneralDate::format(QFileInfo(hexPath).lastModified(), QLocale()));
}

void frmTargetBoard::InitializeForm(const QString& TekoraFile) {
    prepare(TekoraFile);
    exec();
}

void frmTargetBoard::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (windowActive_)
        return;
    adjustSize();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    showPage(tabTargetBoard_->currentIndex());
    windowActive_ = true;
    onlineLayoutShown_ = offlineLayoutShown_ = false;
    cmdGoOnline_Click();
    cycle_.start();
}

void frmTargetBoard::showPage(int index) {
    pages_->setCurrentIndex(index);
}

void frmTargetBoard::endCycle() {
    cycle_.stop();
    accept();
}

// The close box ends the cycle as Ok does.
void frmTargetBoard::closeEvent(QCloseEvent* event) {
    windowActive_ = false;
    cycle_.stop();
    QDialog::closeEvent(event);
}

// Escape belongs to the entry boxes; the window closes by Ok or its close box.
void frmTargetBoard::reject() {
    if (!windowActive_)
        QDialog::reject();
}

void frmTargetBoard::RefreshPass() {
    if (!windowActive_ || targetComm_.IsBusy())
        return;
    if (targetComm_.OnlineMode && targetComm_.CommError) {
        targetComm_.OnlineMode = false;
        onlineLayoutShown_ = false;
        if (setOnlineMode_)
            setOnlineMode_();
    }
    if (!targetComm_.OnlineMode) {
        if (!offlineLayoutShown_)
            ShowOfflineLayout();
        onlineLayoutShown_ = false;
    } else {
        if (!onlineLayoutShown_)
            ShowOnlineLayout();
        offlineLayoutShown_ = false;
        ReadOnlineData();
    }
    showComputerClock();
}

void frmTargetBoard::showComputerClock() {
    const QDateTime now = now_();
    if (now.time().second() == lastSecond_)
        return;
    lastSecond_ = now.time().second();
    lblCurrTime_->setText(twoDigits(now.time().hour()) + QStringLiteral(" : ") +
                          twoDigits(now.time().minute()) + QStringLiteral(" : ") +
                          twoDigits(now.time().second()));
    lblCurrDate_->setText(twoDigits(now.date().month()) + QStringLiteral(" - ") +
                          twoDigits(now.date().day()) + QStringLiteral(" - ") +
                          QString::number(now.date().year()));
}

void frmTargetBoard::ReadOnlineData() {
    for (int i = 0; i < EntryCount; ++i) {
        if (!windowActive_ || !targetComm_.OnlineMode || targetComm_.CommError)
            return;
        const QString v = targetComm_.RSRead(QLatin1String(Entries[i].address));
        if (targetComm_.CommError)
            return;
        EntryBox* box = entries_[i]->box();
        const bool shown = i < 2 ? !box->isHidden() : box->isEnabled();
        if (shown && !entryEditing_[i]) {
            box->setText((QStringLiteral("00") + v).right(2));
        }
    }
}

void frmTargetBoard::ShowOnlineLayout() {
    cmdResetFaults_->setEnabled(false);
    for (QLabel* l : lblRevIdentInPLC_)
        l->setEnabled(true);
    for (int i = 0; i < EntryCount; ++i) {
        if (!lblSetupDesc_[i]->isHidden())
            setRow(i, true, true);
    }
    const bool clock = hasClock(diskBoardType_);
    for (int i = 2; i < EntryCount && !clock; ++i)
        setRow(i, true, false);
    for (QWidget* w :
         {static_cast<QWidget*>(lblTargetBoardTime_), static_cast<QWidget*>(lblTargetBoardDate_),
          static_cast<QWidget*>(cmdSetToCurrTime_), static_cast<QWidget*>(cmdSetToCurrDate_)})
        w->setEnabled(clock);

    for (int i = 0; i < FaultCount && windowActive_; ++i) {
        int v = 0;
        if (!targetComm_.CommError) {
            v = targetComm_.RSRead(QLatin1String(FaultAdd[i])).toInt();
        }
        // A failed read shows the cable fault, 42H.
        faultHex_[i] = targetComm_.CommError
                           ? QStringLiteral("42")
                           : QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
        if (i != 2 && !targetComm_.CommError && v > 0)
            cmdResetFaults_->setEnabled(true);
        if (i == 0)
            lblTargetBoard_[0]->setText(QStringLiteral("Current Fault: Code = ") + faultHex_[0] +
                                        QStringLiteral("H"));
        else if (i == 1)
            lblTargetBoard_[1]->setText(QStringLiteral("Last Fault: Code = ") + faultHex_[1] +
                                        QStringLiteral("H"));
        else if (i == 2 && !lblTargetBoard_[2]->isHidden())
            lblTargetBoard_[2]->setText(QStringLiteral("CO-CPU Slot: ") + QString::number(v));
        else if (i == 4)
            lblTargetBoard_[4]->setText(QStringLiteral("Current Comm Error: Code = ") +
                                        faultHex_[4] + QStringLiteral("H"));
        else if (i == 5)
            lblTargetBoard_[5]->setText(QStringLiteral("Last Comm Error: Code = ") + faultHex_[5] +
                                        QStringLiteral("H"));
    }
    describeCodes(QStringLiteral("FaultErrCodes.txt"), {0, 1});
    if (!lblTargetBoard_[2]->isHidden() && !targetComm_.CommError)
        lblTargetBoard_[2]->setText(QStringLiteral("CO-CPU Slot: ") +
                                    targetComm_.RSRead(QStringLiteral("B8175")));
    txtTargetBoard_[3]->setText(
        TargetBoardFaults::CorrectiveAction(faultHex_[3].toInt(nullptr, 16)));
    describeCodes(QStringLiteral("CommErrCodes.txt"), {4, 5});

    QString ident;
    for (int k = 0; k < 10 && windowActive_ && !targetComm_.CommError; ++k) {
        const QString v = targetComm_.RSRead(QStringLiteral("B%1").arg(IdentAddress + k));
        if (k < 8)
            ident.append(QChar(v.toInt() & 0xFF));
        else
            lblRevIdentInPLC_[k == 8 ? 2 : 1]->setText(v);
    }
    // A NUL ends the visible text.
    lblRevIdentInPLC_[0]->setText(
        ident.left(ident.indexOf(QChar(0)) < 0 ? ident.size() : ident.indexOf(QChar(0))));
    if (!targetComm_.CommError)
        cmdGoOnline_->hide();
    onlineLayoutShown_ = true;
}

// A description file that is there but cannot be read is said once, not passed over.
void frmTargetBoard::describeCodes(const QString& fileName, std::initializer_list<int> boxes) {
    const QString path = targetComm_.SupportTextFile(fileName);
    for (int i : boxes) {
        QString error;
        const QString text = TargetBoardFaults::describe(path, faultHex_[i], &error);
        if (!error.isEmpty()) {
            prompter_.ask(QStringLiteral("TargetBoard FirstPass"),
                          CommSettings::errorMessage(error), Prompter::Icon::Information,
                          Prompter::Buttons::OK);
            return;
        }
        if (!text.isEmpty())
            txtTargetBoard_[i]->setText(text);
    }
}

void frmTargetBoard::ShowOfflineLayout() {
    cmdGoOnline_->show();
    cmdResetFaults_->setEnabled(false);
    for (int i : {0, 1, 3, 4, 5})
        txtTargetBoard_[i]->setText(CannotCommunicate);
    for (QLabel* l : lblRevIdentInPLC_)
        l->setEnabled(false);
    for (int i = 0; i < EntryCount; ++i) {
        if (!lblSetupDesc_[i]->isHidden())
            setRow(i, true, false);
    }
    for (QWidget* w :
         {static_cast<QWidget*>(lblTargetBoardTime_), static_cast<QWidget*>(lblTargetBoardDate_),
          static_cast<QWidget*>(cmdSetToCurrTime_), static_cast<QWidget*>(cmdSetToCurrDate_)})
        w->setEnabled(false);
    offlineLayoutShown_ = true;
}

void frmTargetBoard::cmdGoOnline_Click() {
    if (targetComm_.OnlineMode)
        return;
    targetComm_.CommError = false;
    targetComm_.OnlineMode = true;
    if (setOnlineMode_)
        setOnlineMode_();
}

void frmTargetBoard::cmdResetFaults_Click() {
    const int answer = prompter_.ask(QStringLiteral("WARNING - Fault Code Reset!"),
                                     QStringLiteral("Target Board will be reinitialized.\r\n\r\n"
                                                    "Do you wish to continue?"),
                                     Prompter::Icon::Critical, Prompter::Buttons::YesNoCancel);
    if (answer != Prompter::Yes)
        return;
    cmdResetFaults_->setEnabled(false);
    if (targetComm_.OnlineMode)
        writeInOrder({"B8178", "B8179", "B8177", "B8176"}, {0, 0, 0, 0});
    if (!targetComm_.CommError)
        ShowOnlineLayout();
}

void frmTargetBoard::writeInOrder(const QStringList& addresses, const QList<int>& values) {
    for (qsizetype i = 0; i < addresses.size() && !targetComm_.CommError; ++i)
        targetComm_.RSWrite(addresses.at(i), QString::number(values.at(i)));
}

void frmTargetBoard::cmdSetToCurrTime_Click() {
    if (!targetComm_.OnlineMode)
        return;
    const QTime now = now_().time();
    writeInOrder({"B43012", "B43010", "B43008"}, {now.hour(), now.minute(), now.second()});
}

void frmTargetBoard::cmdSetToCurrDate_Click() {
    if (!targetComm_.OnlineMode)
        return;
    const QDate today = now_().date();
    writeInOrder({"B43016", "B43015", "B43017"}, {today.month(), today.day(), today.year() % 100});
}

void frmTargetBoard::writeEntry(int i) {
    if (targetComm_.OnlineMode && !targetComm_.CommError)
        targetComm_.RSWrite(QLatin1String(Entries[i].address), entries_[i]->box()->text());
}
