#include "frmBMTmg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "AppContext.h"
#include "DataTransfer.h"
#include "EntryBox.h"
#include "Numbers.h"
#include "NumericEntry.h"
#include "Prompter.h"
#include "RSComm.h"
#include "TimingChannelTable.h"
#include "UpDown.h"

namespace {
const char* const FrameCaptions[] = {"Timing Channels", "PLS Configuration", "Resolver Offset",
                                     "PLS Channel"};
constexpr int ChannelsFrame = 0;
constexpr int ConfigFrame = 1;
constexpr int OffsetFrame = 2;
constexpr int ChannelFrame = 3;
constexpr int SpeedPanel = 1;
constexpr int PositionPanel = 2;
constexpr int OffsetPanel = 3;
constexpr int ScalePanel = 4;
constexpr int HeadingRow = 10;
const QString CRLF = QStringLiteral("\r\n");
} // namespace

frmBMTmg::frmBMTmg(AppContext& context, std::function<void()> setOnlineMode, QWidget* parent)
    : MachineWindow(context, std::move(setOnlineMode), parent) {
    setObjectName(QStringLiteral("frmBMTmg"));
    setWindowTitle(QStringLiteral("Machine Timing"));
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    for (int f = 0; f < 4; ++f) {
        fraTmg[f] = new QGroupBox(QLatin1String(FrameCaptions[f]), this);
        fraTmg[f]->setObjectName(indexedName(QStringLiteral("fraTmg"), f));
    }
    grid->addWidget(fraTmg[ChannelsFrame], 0, 0, 3, 1);
    grid->addWidget(fraTmg[ConfigFrame], 0, 1);
    grid->addWidget(fraTmg[OffsetFrame], 1, 1);
    grid->addWidget(fraTmg[ChannelFrame], 2, 1);
    grid->addWidget(cmdDefault, 3, 1, Qt::AlignRight);
    table_ = new TimingChannelTable(context, EscPending, cmdDefault, fraTmg[ChannelsFrame],
                                    fraTmg[ChannelFrame], this);
    buildConfigFrame();
    buildOffsetFrame();
    buildStatusBar(outer);
    setFrameTabOrder();
}

// After the channel table, the frames on the right from the top, each entry followed by its
// up-down.
void frmBMTmg::setFrameTabOrder() {
    NumericEntry* channel = table_->channelEntry();
    QWidget* order[] = {cmdResetPLSConfig,      txtTmg0_->box(),      txtTmg0_->upDown(),
                        cmdSetOffset,           channel->box(),       channel->upDown(),
                        table_->recallButton(), table_->clearButton()};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmBMTmg::buildConfigFrame() {
    auto* grid = new QGridLayout(fraTmg[ConfigFrame]);
    cmdResetPLSConfig = new QPushButton(QStringLiteral("Reset &PLS Config"), fraTmg[ConfigFrame]);
    cmdResetPLSConfig->setObjectName(QStringLiteral("cmdResetPLSConfig"));
    connect(cmdResetPLSConfig, &QPushButton::clicked, this, [this] { ResetPLSConfig(); });
    for (int i = 0; i <= ConfigShown; ++i) {
        const QString caption = i == 0            ? QStringLiteral("Number of PLS Channels:")
                                : i == 1          ? QStringLiteral("PLS Program:")
                                : i == HeadingRow ? QStringLiteral("Speed Compensation (advance):")
                                                  : QStringLiteral("CH0%1 (msec):").arg(i - 2);
        lblCfgDescription[i] = new QLabel(caption, fraTmg[ConfigFrame]);
        lblCfgDescription[i]->setObjectName(indexedName(QStringLiteral("lblCfgDescription"), i));
    }
    grid->addWidget(lblCfgDescription[0], 0, 0);
    grid->addWidget(lblCfgDescription[1], 1, 0);
    grid->addWidget(lblCfgDescription[HeadingRow], 2, 0, 1, 2);
    for (int i = 0; i < ConfigShown; ++i) {
        lblPLSCfg[i] = new QLabel(QStringLiteral("-"), fraTmg[ConfigFrame]);
        lblPLSCfg[i]->setObjectName(indexedName(QStringLiteral("lblPLSCfg"), i));
        const int row = i < 2 ? i : i + 1;
        if (i >= 2)
            grid->addWidget(lblCfgDescription[i], row, 0);
        grid->addWidget(lblPLSCfg[i], row, 1);
    }
    grid->addWidget(cmdResetPLSConfig, ConfigShown + 1, 0, 1, 2);
}

void frmBMTmg::buildOffsetFrame() {
    NumericEntry::Options options;
    options.messageTitle = QStringLiteral("Resolver Offset");
    cmdSetOffset = new QPushButton(QStringLiteral("Set &Offset"), fraTmg[OffsetFrame]);
    cmdSetOffset->setObjectName(QStringLiteral("cmdSetOffset"));
    options.enterTarget = cmdSetOffset;
    txtTmg0_ =
        new NumericEntry(QStringLiteral("txtTmg"), QStringLiteral("updTmg"), 0, 0, 359, EscPending,
                         context().prompter(), cmdDefault, fraTmg[OffsetFrame], options);
    txtTmg0_->box()->setText(QStringLiteral("0"));
    txtTmg0_->setAccessibleName(fraTmg[OffsetFrame]->title());
    txtTmg0_->box()->setMaximumWidth(60);
    connect(txtTmg0_, &NumericEntry::editValueTaken, this,
            [this] { txtTmg0_->box()->setText(Numbers::signedText(txtTmg0_->EditValue)); });
    connect(cmdSetOffset, &QPushButton::clicked, this, [this] { SetOffset(); });
    auto* grid = new QGridLayout(fraTmg[OffsetFrame]);
    grid->addWidget(txtTmg0_->box(), 0, 0);
    grid->addWidget(txtTmg0_->upDown(), 0, 1);
    grid->addWidget(cmdSetOffset, 0, 2);
}

void frmBMTmg::buildStatusBar(QLayout* layout) {
    sbrMachineTiming = new QStatusBar(this);
    sbrMachineTiming->setObjectName(QStringLiteral("sbrMachineTiming"));
    sbrMachineTiming->setSizeGripEnabled(false);
    for (int p = 0; p < 4; ++p) {
        panels_[p] = new QLabel(sbrMachineTiming);
        panels_[p]->setObjectName(indexedName(QStringLiteral("Panels"), p + 1));
        sbrMachineTiming->addWidget(panels_[p], 1);
    }
    layout->addWidget(sbrMachineTiming);
}

void frmBMTmg::setPanel(int panel, const QString& text) {
    panels_[static_cast<std::size_t>(panel - 1)]->setText(text);
}

void frmBMTmg::Activated() {
    ApplyMatchingLayout();
    EscPending = false;
}

// File New raises TimingReload: the offline layout is applied again to show the new data.
void frmBMTmg::PassStarting() {
    AppContext& app = context();
    if (!TargetComm().OnlineMode && app.TimingReload) {
        app.TimingReload = false;
        OfflineLayoutShown = false;
    }
}

void frmBMTmg::setOffsetControlsEnabled(bool enabled) {
    fraTmg[OffsetFrame]->setEnabled(enabled);
    txtTmg0_->setEnabled(enabled);
    cmdSetOffset->setEnabled(enabled);
}

void frmBMTmg::setConfigEnabled(bool enabled) {
    for (QLabel* label : lblCfgDescription)
        label->setEnabled(enabled);
    for (QLabel* label : lblPLSCfg)
        label->setEnabled(enabled);
    cmdResetPLSConfig->setEnabled(enabled);
}

// A change of layout abandons an edit in progress: the focus is parked without validating
// the entry, so a value typed in one mode is neither refused as "-" nor programmed in the
// other.
void frmBMTmg::parkFocus() {
    if (WindowActive)
        cmdDefault->setFocus(Qt::ActiveWindowFocusReason);
}

void frmBMTmg::ShowOnlineLayout() {
    parkFocus();
    stop_.clear();
    sbrMachineTiming->setEnabled(true);
    for (QGroupBox* frame : fraTmg)
        frame->setEnabled(true);
    table_->setTableEnabled(true);
    table_->showDashes();
    setConfigEnabled(true);
    setOffsetControlsEnabled(true);
    table_->recallButton()->setEnabled(true);
    table_->clearButton()->setEnabled(true);
    table_->channelEntry()->setEnabled(true);
    ShowPLSConfig();
    if (TargetComm().CommError)
        return;
    table_->RecallAllChannels();
    OnlineLayoutShown = true;
}

void frmBMTmg::ShowOfflineLayout() {
    const AppContext& app = context();
    const SetupData& data = app.CurrentData;
    const bool editing = app.OfflineEditing;
    parkFocus();
    stop_.clear();
    sbrMachineTiming->setEnabled(false);
    setPanel(SpeedPanel, QStringLiteral("RPM: -"));
    setPanel(PositionPanel, QStringLiteral("Position: -"));
    setPanel(OffsetPanel, QStringLiteral("Offset: ") + QString::number(data.ResolverOffset));
    setPanel(ScalePanel, QStringLiteral("Scale: ") + QString::number(data.PLSScale));
    for (QGroupBox* frame : fraTmg)
        frame->setEnabled(false);
    fraTmg[ChannelsFrame]->setEnabled(editing);
    fraTmg[ChannelFrame]->setEnabled(editing);
    table_->setTableEnabled(editing);
    table_->showCurrentData();
    setConfigEnabled(false);
    lblPLSCfg[0]->setText(QString::number(data.NumPLSChannels));
    lblPLSCfg[1]->setText(QString::number(data.PLSProgram));
    for (int k = 0; k < SetupData::ChannelCount; ++k)
        lblPLSCfg[static_cast<std::size_t>(2 + k)]->setText(QString::number(data.SpeedComp[k]));
    setOffsetControlsEnabled(false);
    fraTmg[OffsetFrame]->setEnabled(false);
    table_->recallButton()->setEnabled(false);
    table_->clearButton()->setEnabled(editing);
    table_->channelEntry()->setEnabled(editing);
    OfflineLayoutShown = true;
}

void frmBMTmg::ShowOfflineData() {
    AppContext& app = context();
    if (app.OfflineEditing != LastOfflineEditing) {
        OfflineLayoutShown = false;
        LastOfflineEditing = app.OfflineEditing;
    }
}

void frmBMTmg::ShowPLSConfig() {
    RSComm& link = TargetComm();
    if (!link.OnlineMode)
        return;
    const QVector<int> config = link.PLSConfigUpload();
    if (link.CommError)
        return;
    for (int k = 0; k < ConfigShown && k < config.size(); ++k)
        lblPLSCfg[static_cast<std::size_t>(k)]->setText(QString::number(config[k]));
}

// A value read while the link failed is not shown; the next pass goes offline.
bool frmBMTmg::ReadOnlineValue(int step) {
    AppContext& app = context();
    if (app.PLSDataChanged) {
        app.PLSDataChanged = false;
        table_->RecallAllChannels();
    }
    if (TargetComm().CommError)
        return false;
    switch (step) {
    case 0:
        return readSpeed();
    case 1:
        return readPosition();
    case 2:
        return readWord(OffsetPanel, QStringLiteral("Offset: "), &RSComm::PLSOffset);
    default:
        return readWord(ScalePanel, QStringLiteral("Scale: "), &RSComm::PLSScaleFactor);
    }
}

bool frmBMTmg::readSpeed() {
    RSComm& link = TargetComm();
    const auto rpm =
        static_cast<long long>(Numbers::roundHalfEven(Numbers::leadingNumber(link.PLSRpm())));
    if (link.CommError)
        return false;
    setPanel(SpeedPanel, QStringLiteral("RPM: ") + QString::number(rpm));
    switch (stop_.update(rpm)) {
    case StopDetection::Edge::Stop:
        setOffsetControlsEnabled(true);
        break;
    case StopDetection::Edge::Start:
        setOffsetControlsEnabled(false);
        break;
    case StopDetection::Edge::None:
        break;
    }
    return true;
}

bool frmBMTmg::readPosition() {
    RSComm& link = TargetComm();
    const double rpm = Numbers::roundHalfEven(Numbers::leadingNumber(link.PLSRpm()));
    if (link.CommError)
        return false;
    if (rpm > FastSpeed) {
        setPanel(PositionPanel, QStringLiteral("Position: 888"));
        return true;
    }
    const QString position = link.PLSPos();
    if (link.CommError)
        return false;
    setPanel(PositionPanel, QStringLiteral("Position: ") + position);
    return true;
}

bool frmBMTmg::readWord(int panel, const QString& caption, QString (RSComm::*read)()) {
    RSComm& link = TargetComm();
    const QString value = (link.*read)();
    if (link.CommError)
        return false;
    setPanel(panel, caption + value);
    return true;
}

void frmBMTmg::ResetPLSConfig() {
    for (;;) {
        const SetupData& data = context().CurrentData;
        const QVector<int> CfgParam = DataTransfer::DownloadConfigList(data);
        RSComm& link = TargetComm();
        if (!link.OnlineMode)
            return;
        const bool ok = link.PLSConfigDownload(CfgParam, data.PLSScale);
        if (link.CommError)
            return;
        if (ok) {
            ShowPLSConfig();
            return;
        }
        const int answer =
            context().prompter().ask(QStringLiteral("PLS Config Download"),
                                     QStringLiteral("Unable to Reset PLS Configuration Parameters"),
                                     Prompter::Icon::Question, Prompter::Buttons::RetryCancel);
        if (answer != Prompter::Retry) {
            for (QLabel* label : lblPLSCfg)
                label->setText(QStringLiteral("---"));
            return;
        }
    }
}

// The offset is checked against its range first: the shortcut presses the button without
// the box being left. The number shown is the number sent.
void frmBMTmg::SetOffset() {
    EntryBox* box = txtTmg0_->box();
    if (!txtTmg0_->Validate())
        return;
    const int offset =
        static_cast<int>(Numbers::roundHalfEven(Numbers::leadingNumber(box->text())));
    box->setText(QString::number(offset));
    RSComm& link = TargetComm();
    if (!link.OnlineMode)
        return;
    Prompter& prompter = context().prompter();
    const int answer = prompter.ask(QStringLiteral("Set Offset"),
                                    QStringLiteral("You are about to Change the Resolver Offset.") +
                                        CRLF + CRLF + QStringLiteral("Do you wish to continue?"),
                                    Prompter::Icon::Question, Prompter::Buttons::YesNoCancel);
    if (answer != Prompter::Yes) {
        box->setText(QStringLiteral("0"));
        return;
    }
    const bool ok = link.SetPLSOffset(offset);
    if (link.CommError)
        return;
    if (ok) {
        context().CurrentData.ResolverOffset = static_cast<std::int16_t>(offset);
        return;
    }
    prompter.ask(QStringLiteral("Resolver Offset"),
                 QStringLiteral("Unable to Successfully Set the Resolver Offset"),
                 Prompter::Icon::Critical, Prompter::Buttons::OK);
    box->setText(QStringLiteral("0"));
}
