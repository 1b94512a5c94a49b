#include "frmBMMain.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppContext.h"
#include "Numbers.h"
#include "RSComm.h"
#include "SpeedTrendChart.h"

namespace {
const char* const DisplayCaptions[] = {"Machine Speed SPM", "Machine Position"};
const char* const SpeedAddress = "W182";
const char* const PositionAddress = "W180";
constexpr int SpeedIndex = 0;
constexpr int PositionIndex = 1;

QLabel* bigDisplay(QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("0"), parent);
    QFont font = label->font();
    font.setPointSize(28);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(160);
    return label;
}
} // namespace

frmBMMain::frmBMMain(AppContext& context, std::function<void()> setOnlineMode, QWidget* parent)
    : MachineWindow(context, std::move(setOnlineMode), parent),
      fraMessageDisplay(new QGroupBox(QStringLiteral("Messages"), this)),
      txtMessageDisplay(new QPlainTextEdit(fraMessageDisplay)),
      trend_(new SpeedTrendChart(context, this)) {
    setObjectName(QStringLiteral("frmBMMain"));
    setWindowTitle(QStringLiteral("BM Main Display"));
    WindowAdd = {QLatin1String(SpeedAddress), QLatin1String(PositionAddress)};

    auto* grid = new QGridLayout(this);
    for (int i = 0; i < 2; ++i) {
        fraDisplay[i] = new QGroupBox(QLatin1String(DisplayCaptions[i]), this);
        fraDisplay[i]->setObjectName(indexedName(QStringLiteral("fraDisplay"), i));
        lblDisplay[i] = bigDisplay(fraDisplay[i]);
        lblDisplay[i]->setObjectName(indexedName(QStringLiteral("lblDisplay"), i));
        auto* inner = new QVBoxLayout(fraDisplay[i]);
        inner->addWidget(lblDisplay[i]);
        grid->addWidget(fraDisplay[i], 0, i);
    }
    fraMessageDisplay->setObjectName(QStringLiteral("fraMessageDisplay"));
    txtMessageDisplay->setObjectName(QStringLiteral("txtMessageDisplay"));
    txtMessageDisplay->setReadOnly(true);
    txtMessageDisplay->setMinimumHeight(140);
    auto* messages = new QVBoxLayout(fraMessageDisplay);
    messages->addWidget(txtMessageDisplay);
    grid->addWidget(fraMessageDisplay, 1, 0, 1, 2);
    grid->addWidget(trend_, 2, 0, 1, 2);
    grid->addWidget(cmdDefault, 3, 1, Qt::AlignRight);

    ApplyMatchingLayout();
}

void frmBMMain::setDisplaysEnabled(bool enabled) {
    for (int i = 0; i < 2; ++i) {
        fraDisplay[i]->setEnabled(enabled);
        lblDisplay[i]->setEnabled(enabled);
    }
}

void frmBMMain::ShowOnlineLayout() {
    setDisplaysEnabled(true);
    OnlineLayoutShown = true;
}

void frmBMMain::ShowOfflineLayout() {
    for (QLabel* label : lblDisplay)
        label->setText(QStringLiteral("-"));
    setDisplaysEnabled(false);
    context().SpeedHistory.addGap();
    OfflineLayoutShown = true;
}

// The message box is rewritten only when the text changed, so an idle pass costs nothing
// and a selection the user made in it survives.
void frmBMMain::PassStarting() {
    QString shown = context().SystemMessage;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (txtMessageDisplay->toPlainText() != shown)
        txtMessageDisplay->setPlainText(shown);
}

// The position is read in every pass, even while "888" hides it.
void frmBMMain::ShowOnlineValue(int index, const QString& value) {
    if (index == SpeedIndex) {
        lblDisplay[SpeedIndex]->setText(value.trimmed());
        const qint64 now = context().currentMSecsSinceEpoch();
        if (context().SpeedHistory.addSpeed(now, Numbers::leadingNumber(value)))
            trend_->pointAdded();
        return;
    }
    const double speed = Numbers::leadingNumber(lblDisplay[SpeedIndex]->text());
    lblDisplay[PositionIndex]->setText(speed > FastSpeed ? QStringLiteral("888") : value.trimmed());
}

// A failed read leaves a gap in the trend rather than a line across the outage.
void frmBMMain::PassEnded() {
    if (TargetComm().CommError)
        context().SpeedHistory.addGap();
}
