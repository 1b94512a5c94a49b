#include "frmBMSetup.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "AppContext.h"
#include "EntryBox.h"
#include "Numbers.h"
#include "NumericEntry.h"
#include "RSComm.h"
#include "UpDown.h"

namespace {
const char* const FrameCaptions[] = {"Cupfeed Open/Initial Airstrip Strokes:",
                                     "Brake Wear Compensation:",
                                     "Trimmer Speed References:",
                                     "Bodymaker Running Speeds:",
                                     "Main Crank Resolver",
                                     "Cupfeed Cam"};

struct Row {
    int frame;
    const char* caption;
    const char* address;
    int maximum;
};
const Row Rows[] = {
    {1, "&Desired BDC Stop Position (Cont/Single):", "W1022", 359},
    {1, "&Maximum Allowed Stopping Response (deg):", "W1024", 999},
    {0, "Number of Strokes Before Cupfeed &Open:", "W1030", 99},
    {0, "Number of Cans Made with Initial &Airstrip:", "W1032", 99},
    {2, "Ma&ximum Speed (full scale calibration):", "W1036", 999},
    {2, "&Idle Speed (W/I stopped):", "W1038", 999},
    {3, "&Low Speed (SPM):", "W1026", 899},
    {3, "Hi&gh Speed (SPM):", "W1028", 999},
};
const char* const CheckBoxAddress = "B1020.0";
const char* const CheckBoxCaption = "E&nable Brake Ware Compensation:";
constexpr int BrakeFrame = 1;
constexpr int ZeroFrame = 4;
constexpr int HomeFrame = 5;
constexpr int BdcEntry = 0;
} // namespace

frmBMSetup::frmBMSetup(AppContext& context, std::function<void()> setOnlineMode, QWidget* parent)
    : MachineWindow(context, std::move(setOnlineMode), parent) {
    setObjectName(QStringLiteral("frmBMSetup"));
    setWindowTitle(QStringLiteral("BM Set-Up Parameters"));
    for (const Row& row : Rows)
        WindowAdd.push_back(QLatin1String(row.address));
    WindowAdd.push_back(QLatin1String(CheckBoxAddress));
    buildFrames();
}

frmBMSetup::~frmBMSetup() = default;

// One label width across the four frames, so the entry boxes line up in one column.
void frmBMSetup::alignEntryColumns() {
    int widest = 0;
    for (int i = 0; i < EntryCount; ++i)
        widest = std::max(widest, lblBMSetup[i]->sizeHint().width());
    for (int i = 0; i < EntryCount; ++i)
        lblBMSetup[i]->setMinimumWidth(widest);
}

void frmBMSetup::buildFrames() {
    auto* grid = new QGridLayout(this);
    std::array<QGridLayout*, 6> inner{};
    for (int f = 0; f < 6; ++f) {
        fraBMSetup[f] = new QGroupBox(QLatin1String(FrameCaptions[f]), this);
        fraBMSetup[f]->setObjectName(indexedName(QStringLiteral("fraBMSetup"), f));
        inner[f] = new QGridLayout(fraBMSetup[f]);
    }
    // Frames in reading order: strokes, brake wear, trimmer, running speeds, then the buttons.
    grid->addWidget(fraBMSetup[0], 0, 0);
    grid->addWidget(fraBMSetup[1], 1, 0);
    grid->addWidget(fraBMSetup[2], 2, 0);
    grid->addWidget(fraBMSetup[3], 3, 0);
    int nextRow[4] = {0, 1, 0, 0}; // the check box heads the brake-wear frame
    for (int i = 0; i < EntryCount; ++i) {
        const int f = Rows[i].frame;
        const int row = nextRow[f]++;
        addEntryRow(i, f);
        inner[f]->addWidget(lblBMSetup[i], row, 0);
        inner[f]->addWidget(entry_[i]->box(), row, 1);
        inner[f]->addWidget(entry_[i]->upDown(), row, 2);
    }
    alignEntryColumns();
    chkBMSetup = new QCheckBox(QLatin1String(CheckBoxCaption), fraBMSetup[BrakeFrame]);
    chkBMSetup->setObjectName(QStringLiteral("chkBMSetup"));
    chkBMSetup->setLayoutDirection(Qt::RightToLeft);
    inner[BrakeFrame]->addWidget(chkBMSetup, 0, 0, 1, 3, Qt::AlignLeft);
    connect(chkBMSetup, &QCheckBox::toggled, this, [this] { CheckBoxChanged(); });

    cmdMachineZero = new QPushButton(QStringLiteral("Set Machine &Zero"), fraBMSetup[ZeroFrame]);
    cmdMachineZero->setObjectName(QStringLiteral("cmdMachineZero"));
    inner[ZeroFrame]->addWidget(cmdMachineZero, 0, 0);
    cmdHomeCupfeed = new QPushButton(QStringLiteral("Set Home &Position"), fraBMSetup[HomeFrame]);
    cmdHomeCupfeed->setObjectName(QStringLiteral("cmdHomeCupfeed"));
    inner[HomeFrame]->addWidget(cmdHomeCupfeed, 0, 0);
    auto* buttons = new QGridLayout;
    buttons->addWidget(fraBMSetup[ZeroFrame], 0, 0);
    buttons->addWidget(fraBMSetup[HomeFrame], 1, 0);
    buttons->addWidget(cmdDefault, 2, 0, Qt::AlignRight | Qt::AlignBottom);
    grid->addLayout(buttons, 0, 1, 4, 1);
    setVisualTabOrder();
}

// Enter moves on as Tab does, so the order follows the frames as they are seen: each entry,
// then its up-down.
void frmBMSetup::setVisualTabOrder() {
    QWidget* previous = nullptr;
    const auto append = [&previous](QWidget* next) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    };
    for (int i : {2, 3, CheckBoxIndex, 0, 1, 4, 5, 6, 7}) {
        if (i == CheckBoxIndex) {
            append(chkBMSetup);
            continue;
        }
        append(entry_[static_cast<std::size_t>(i)]->box());
        append(entry_[static_cast<std::size_t>(i)]->upDown());
    }
    setTabOrder(previous, cmdMachineZero);
    setTabOrder(cmdMachineZero, cmdHomeCupfeed);
    setTabOrder(cmdHomeCupfeed, cmdDefault);
}

void frmBMSetup::addEntryRow(int index, int frame) {
    QGroupBox* parent = fraBMSetup[static_cast<std::size_t>(frame)];
    NumericEntry::Options options;
    options.validateAgainAfterLeaving = true;
    auto* row = new NumericEntry(QStringLiteral("txtBMSetup"), QStringLiteral("updBMSetup"), index,
                                 0, Rows[index].maximum, EscPending, context().prompter(),
                                 cmdDefault, parent, options);
    entry_[static_cast<std::size_t>(index)] = row;
    auto* label = new QLabel(QLatin1String(Rows[index].caption), parent);
    label->setObjectName(indexedName(QStringLiteral("lblBMSetup"), index));
    label->setBuddy(row->box());
    row->setAccessibleName(label->text());
    lblBMSetup[static_cast<std::size_t>(index)] = label;
    row->box()->setMaximumWidth(70);
    auto& editing = EntryEditing[static_cast<std::size_t>(index)];
    connect(row, &NumericEntry::focusReceived, this, [&editing] { editing = true; });
    connect(row, &NumericEntry::abandoning, this, [&editing] { editing = false; });
    connect(row, &NumericEntry::accepted, this, [this, index] { entryAccepted(index); });
    connect(row, &NumericEntry::upDownChanged, this, [this, index] { upDownChanged(index); });
}

void frmBMSetup::closeEvent(QCloseEvent* event) {
    EntryEditing.fill(false);
    MachineWindow::closeEvent(event);
}

void frmBMSetup::Activated() {
    ApplyMatchingLayout();
    EscPending = false;
}

void frmBMSetup::setEntryRowEnabled(int index, bool enabled) {
    lblBMSetup[static_cast<std::size_t>(index)]->setEnabled(enabled);
    entry_[static_cast<std::size_t>(index)]->setEnabled(enabled);
}

void frmBMSetup::setAdjustmentEnabled(bool enabled) {
    fraBMSetup[ZeroFrame]->setEnabled(enabled);
    cmdMachineZero->setEnabled(enabled);
    fraBMSetup[HomeFrame]->setEnabled(enabled);
    cmdHomeCupfeed->setEnabled(enabled);
}

void frmBMSetup::showEditableLayout() {
    DataLoaded = false;
    stop_.clear();
    chkBMSetup->setEnabled(true);
    for (int f = 0; f < 4; ++f)
        fraBMSetup[f]->setEnabled(true);
    for (int i = 0; i < EntryCount; ++i) {
        setEntryRowEnabled(i, true);
        entry_[static_cast<std::size_t>(i)]->box()->setText(QStringLiteral("-"));
    }
    CheckBoxChanged();
    setAdjustmentEnabled(false);
}

void frmBMSetup::ShowOnlineLayout() {
    showEditableLayout();
    OnlineLayoutShown = true;
}

void frmBMSetup::ShowOfflineLayout() {
    if (context().OfflineEditing) {
        showEditableLayout();
    } else {
        DataLoaded = false;
        stop_.clear();
        chkBMSetup->setEnabled(false);
        for (QGroupBox* frame : fraBMSetup)
            frame->setEnabled(false);
        for (int i = 0; i < EntryCount; ++i)
            setEntryRowEnabled(i, false);
    }
    cmdMachineZero->setEnabled(false);
    cmdHomeCupfeed->setEnabled(false);
    OfflineLayoutShown = true;
}

void frmBMSetup::ShowOfflineData() {
    AppContext& app = context();
    if (app.OfflineEditing != LastOfflineEditing) {
        OfflineLayoutShown = false;
        LastOfflineEditing = app.OfflineEditing;
    }
    for (int i = 0; i < EntryCount; ++i) {
        if (!EntryEditing[static_cast<std::size_t>(i)])
            entry_[static_cast<std::size_t>(i)]->box()->setText(
                QString::number(app.CurrentData.valueAt(i)));
    }
    showCheckBox(app.CurrentData.valueAt(CheckBoxIndex));
}

void frmBMSetup::ShowOnlineValue(int index, const QString& value) {
    if (index < EntryCount) {
        if (!EntryEditing[static_cast<std::size_t>(index)])
            entry_[static_cast<std::size_t>(index)]->box()->setText(
                QString::number(static_cast<long long>(Numbers::leadingNumber(value))));
        return;
    }
    showCheckBox(Numbers::toInt32(Numbers::leadingNumber(value)).value_or(0));
}

// The PLS speed is read in a step of its own after the check box, so events still run
// between two reads; the cycle ends the pass before it if the link has gone offline.
bool frmBMSetup::ReadOnlineValue(int index) {
    if (index < SpeedStep)
        return MachineWindow::ReadOnlineValue(index);
    return readSpeedAndDetectStop();
}

void frmBMSetup::showCheckBox(std::int32_t value) {
    chkBMSetup->setChecked(value == 1);
}

bool frmBMSetup::readSpeedAndDetectStop() {
    RSComm& link = TargetComm();
    const double speed = Numbers::roundHalfEven(Numbers::leadingNumber(link.PLSRpm()));
    if (link.CommError)
        return false;
    switch (stop_.update(static_cast<long long>(speed))) {
    case StopDetection::Edge::Stop:
        setAdjustmentEnabled(true);
        break;
    case StopDetection::Edge::Start:
        setAdjustmentEnabled(false);
        break;
    case StopDetection::Edge::None:
        break;
    }
    return true;
}

void frmBMSetup::PassEnded() {
    DataLoaded = true;
}

// The brake-wear box gates the BDC stop position entry; its state is stored and written only
// once a pass has filled the window, so the first read of it is not written back.
void frmBMSetup::CheckBoxChanged() {
    const bool checked = chkBMSetup->isChecked();
    RSComm& link = TargetComm();
    if (!checked)
        setEntryRowEnabled(BdcEntry, false);
    else if (link.OnlineMode || context().OfflineEditing)
        setEntryRowEnabled(BdcEntry, true);
    if (!DataLoaded)
        return;
    const QString value = checked ? QStringLiteral("1") : QStringLiteral("0");
    if (link.OnlineMode && OnlineLayoutShown && !link.CommError)
        link.RSWrite(QLatin1String(CheckBoxAddress), value);
    storeParam(CheckBoxIndex, checked ? 1 : 0);
}

// The entry is shown as the whole number it is stored as, and that number is what is written:
// handing "12.5" to the link would send 125.
void frmBMSetup::entryAccepted(int index) {
    EntryBox* box = entry_[static_cast<std::size_t>(index)]->box();
    const std::int32_t whole =
        Numbers::toInt32(Numbers::numberValue(box->text()).value_or(0)).value_or(0);
    const QString text = QString::number(whole);
    if (box->text() != text)
        box->setText(text);
    storeParam(index, whole);
    writeEntry(index, text);
    EntryEditing[static_cast<std::size_t>(index)] = false;
}

void frmBMSetup::upDownChanged(int index) {
    EntryEditing[static_cast<std::size_t>(index)] = false;
    EscPending = false;
    entry_[static_cast<std::size_t>(index)]->parkFocus();
    EntryBox* box = entry_[static_cast<std::size_t>(index)]->box();
    const std::int32_t whole = Numbers::toInt32(Numbers::leadingNumber(box->text())).value_or(0);
    storeParam(index, whole);
    writeEntry(index, box->text());
}

void frmBMSetup::writeEntry(int index, const QString& text) {
    RSComm& link = TargetComm();
    if (link.OnlineMode && !link.CommError)
        link.RSWrite(WindowAdd[static_cast<std::size_t>(index)], text);
}

void frmBMSetup::storeParam(int index, std::int32_t value) {
    std::vector<std::int32_t>& values = context().CurrentData.ParamValue;
    if (static_cast<std::size_t>(index) < values.size())
        values[static_cast<std::size_t>(index)] = value;
}
