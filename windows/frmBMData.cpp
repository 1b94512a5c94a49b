#include "frmBMData.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "AppContext.h"
#include "HistoryLog.h"
#include "Numbers.h"
#include "RSComm.h"

namespace {
const char* const FrameCaptions[] = {
    "Current Shift:", "Last Shift:", "Brake Response (degrees):", "End of Shift"};
struct Value {
    int frame;
    const char* caption;
    const char* address;
};
const Value Values[] = {
    {0, "Total Good Cans:", "D1100"}, {0, "Total Short Cans:", "W1104"},
    {1, "Total Good Cans:", "D1200"}, {1, "Total Short Cans:", "W1204"},
    {2, "Low Speed:", "W1040"},       {2, "High Speed:", "W1042"},
};
constexpr int CountValues = 4;
constexpr int EndFrame = 3;
const QChar DegreeSign(0x00B0);
const char* const EndOfShiftFlag = "F34";
constexpr int WriteMode = 2;
} // namespace

frmBMData::frmBMData(AppContext& context, std::function<void()> setOnlineMode, QWidget* parent)
    : MachineWindow(context, std::move(setOnlineMode), parent) {
    setObjectName(QStringLiteral("frmBMData"));
    setWindowTitle(QStringLiteral("BM Shift Data"));
    auto* grid = new QGridLayout(this);
    std::array<QGridLayout*, 4> inner{};
    for (int f = 0; f < 4; ++f) {
        fraBMData[f] = new QGroupBox(QLatin1String(FrameCaptions[f]), this);
        fraBMData[f]->setObjectName(indexedName(QStringLiteral("fraBMData"), f));
        inner[f] = new QGridLayout(fraBMData[f]);
        grid->addWidget(fraBMData[f], f / 2, f % 2);
    }
    for (int i = 0; i < ValueCount; ++i) {
        WindowAdd.push_back(QLatin1String(Values[i].address));
        QGroupBox* frame = fraBMData[static_cast<std::size_t>(Values[i].frame)];
        lblBMDataDes[i] = new QLabel(QLatin1String(Values[i].caption), frame);
        lblBMDataDes[i]->setObjectName(indexedName(QStringLiteral("lblBMDataDes"), i));
        lblBMData[i] = new QLabel(QStringLiteral("-"), frame);
        lblBMData[i]->setObjectName(indexedName(QStringLiteral("lblBMData"), i));
        lblBMData[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblBMData[i]->setMinimumWidth(110);
        lblBMData[i]->setFrameShape(QFrame::Panel);
        lblBMData[i]->setFrameShadow(QFrame::Sunken);
        inner[static_cast<std::size_t>(Values[i].frame)]->addWidget(lblBMDataDes[i], i % 2, 0);
        inner[static_cast<std::size_t>(Values[i].frame)]->addWidget(lblBMData[i], i % 2, 1);
    }
    cmdEndofShift = new QPushButton(QStringLiteral("&Transfer Data"), fraBMData[EndFrame]);
    cmdEndofShift->setObjectName(QStringLiteral("cmdEndofShift"));
    inner[EndFrame]->addWidget(cmdEndofShift, 0, 0);
    connect(cmdEndofShift, &QPushButton::clicked, this, [this] { EndOfShift(); });
    // Past shifts can be looked at offline too: the button sits outside the frames the
    // layouts disable. Alt+H belongs to the Help menu, hence the s.
    cmdHistory = new QPushButton(QStringLiteral("Hi&story"), this);
    cmdHistory->setObjectName(QStringLiteral("cmdHistory"));
    cmdHistory->setEnabled(false);
    grid->addWidget(cmdHistory, 2, 0, Qt::AlignLeft);
    connect(cmdHistory, &QPushButton::clicked, this, [this] {
        if (showHistory_)
            showHistory_(this);
    });
    grid->addWidget(cmdDefault, 2, 1, Qt::AlignRight);
    ApplyMatchingLayout();
}

void frmBMData::setShowHistory(std::function<void(QWidget*)> showHistory) {
    showHistory_ = std::move(showHistory);
    cmdHistory->setEnabled(static_cast<bool>(showHistory_));
}

void frmBMData::applyLayout(bool enabled) {
    cmdEndofShift->setEnabled(enabled);
    for (QGroupBox* frame : fraBMData)
        frame->setEnabled(enabled);
    for (int i = 0; i < ValueCount; ++i) {
        lblBMDataDes[i]->setEnabled(enabled);
        lblBMData[i]->setEnabled(enabled);
        lblBMData[i]->setText(QStringLiteral("-"));
    }
}

void frmBMData::ShowOnlineLayout() {
    applyLayout(true);
    OnlineLayoutShown = true;
}

void frmBMData::ShowOfflineLayout() {
    applyLayout(false);
    OfflineLayoutShown = true;
}

QString frmBMData::countText(double value) const {
    return Numbers::groupedText(static_cast<std::int64_t>(Numbers::roundHalfEven(value)),
                                context().locale);
}

void frmBMData::ShowOnlineValue(int index, const QString& value) {
    if (index < static_cast<int>(shiftCounts_.size()))
        shiftCounts_[static_cast<std::size_t>(index)] =
            QString::number(Numbers::roundHalfEven(Numbers::leadingNumber(value)), 'f', 0);
    lblBMData[static_cast<std::size_t>(index)]->setText(
        index < CountValues ? countText(Numbers::leadingNumber(value)) : value + DegreeSign);
}

void frmBMData::ShowOfflineData() {
    AppContext& app = context();
    if (app.OfflineEditing != LastOfflineEditing) {
        OfflineLayoutShown = false;
        LastOfflineEditing = app.OfflineEditing;
    }
    for (int i = 0; i < ValueCount; ++i) {
        const std::int32_t value = app.CurrentData.valueAt(FirstParam + i);
        lblBMData[static_cast<std::size_t>(i)]->setText(
            i < CountValues ? countText(value) : Numbers::signedText(value) + DegreeSign);
    }
}

void frmBMData::EndOfShift() {
    RSComm& link = TargetComm();
    if (link.CommError)
        return;
    link.RSWrite(QLatin1String(EndOfShiftFlag), QStringLiteral("1"));
    // Only a flag the board took closes a shift in the history.
    if (!link.CommError && link.LinkMode() == WriteMode)
        recordShift();
}

void frmBMData::recordShift() {
    AppContext& app = context();
    if (!app.History)
        return;
    HistoryRecord shift;
    shift.time = app.currentDateTime();
    shift.event = QLatin1String(HistoryRecord::ShiftClosed);
    shift.goodCans = shiftCounts_[0];
    shift.shortCans = shiftCounts_[1];
    app.History->append(shift);
}
