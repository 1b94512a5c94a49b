#include "frmLinkMonitor.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include "AppContext.h"
#include "AtomicFile.h"
#include "FileDialogs.h"
#include "LinkExchangeText.h"
#include "Prompter.h"
#include "RSComm.h"
#include "SerialPort.h"
#include "Vorna7Version.h"

namespace {
const char* const TextFilter = "Text Files(*.txt)|*.txt|";
constexpr int Widths[LinkMonitorModel::ColumnCount] = {20, 70, 190, 160, 160, 0};

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}
} // namespace

frmLinkMonitor::frmLinkMonitor(AppContext& context, RSComm& link, SerialPort& port,
                               FileDialogs& fileDialogs, QWidget* parent)
    : QWidget(parent), context_(context), link_(link), port_(port), fileDialogs_(fileDialogs),
      filter_(new QSortFilterProxyModel(this)), grdExchanges_(new QTableView(this)),
      cmdPause_(button("cmdPause", "&Pause", this)),
      chkFailuresOnly_(new QCheckBox(QStringLiteral("&Failures only"), this)),
      lblHeldBack_(new QLabel(this)), lblDropped_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmLinkMonitor"));
    setWindowTitle(QStringLiteral("Link Monitor"));
    filter_->setSourceModel(&model_);
    filter_->setFilterRole(LinkMonitorModel::FailedRole);
    buildControls();
    connect(&model_, &LinkMonitorModel::countsChanged, this, &frmLinkMonitor::showCounts);
    connect(filter_, &QAbstractItemModel::rowsAboutToBeInserted, this,
            &frmLinkMonitor::rememberScrollPosition);
    connect(filter_, &QAbstractItemModel::rowsInserted, this, &frmLinkMonitor::followNewRows);
    connect(filter_, &QAbstractItemModel::modelReset, this, &frmLinkMonitor::followNewRows);
    showCounts();
    link_.setObserver(&model_);
}

frmLinkMonitor::~frmLinkMonitor() {
    if (link_.observer() == &model_)
        link_.setObserver(nullptr);
}

void frmLinkMonitor::buildControls() {
    auto* cmdClear = button("cmdClear", "&Clear", this);
    auto* cmdCopy = button("cmdCopy", "C&opy", this);
    auto* cmdSaveAs = button("cmdSaveAs", "Save &As...", this);
    cmdPause_->setCheckable(true);
    chkFailuresOnly_->setObjectName(QStringLiteral("chkFailuresOnly"));
    lblHeldBack_->setObjectName(QStringLiteral("lblHeldBack"));
    lblDropped_->setObjectName(QStringLiteral("lblDropped"));

    grdExchanges_->setObjectName(QStringLiteral("grdExchanges"));
    grdExchanges_->setModel(filter_);
    grdExchanges_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdExchanges_->setWordWrap(false);
    // Fixed row heights keep a full ring cheap to scroll: nothing is measured per row.
    grdExchanges_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdExchanges_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    grdExchanges_->verticalHeader()->hide();
    grdExchanges_->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column + 1 < LinkMonitorModel::ColumnCount; ++column)
        grdExchanges_->setColumnWidth(column, Widths[column]);

    auto* controls = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{cmdPause_, cmdClear, chkFailuresOnly_,
                                                            cmdCopy, cmdSaveAs, lblHeldBack_})
        controls->addWidget(control);
    controls->addStretch();
    controls->addWidget(lblDropped_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(grdExchanges_);

    connect(cmdPause_, &QPushButton::toggled, this, &frmLinkMonitor::cmdPause_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmLinkMonitor::cmdClear_Click);
    connect(chkFailuresOnly_, &QCheckBox::toggled, this, &frmLinkMonitor::chkFailuresOnly_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &frmLinkMonitor::cmdCopy_Click);
    connect(cmdSaveAs, &QPushButton::clicked, this, &frmLinkMonitor::cmdSaveAs_Click);
    auto* copyKey = new QShortcut(QKeySequence::Copy, grdExchanges_);
    copyKey->setContext(Qt::WidgetShortcut);
    connect(copyKey, &QShortcut::activated, this, &frmLinkMonitor::cmdCopy_Click);
}

void frmLinkMonitor::cmdPause_Click(bool paused) {
    model_.setPaused(paused);
}

void frmLinkMonitor::cmdClear_Click() {
    model_.clear();
}

void frmLinkMonitor::chkFailuresOnly_Click(bool failuresOnly) {
    filter_->setFilterFixedString(failuresOnly ? QStringLiteral("true") : QString());
    followNewRows();
}

void frmLinkMonitor::showCounts() {
    lblHeldBack_->setVisible(model_.paused());
    lblHeldBack_->setText(QStringLiteral("Held back: %1").arg(model_.heldBack()));
    lblDropped_->setText(QStringLiteral("Dropped: %1").arg(model_.dropped()));
}

QList<int> frmLinkMonitor::shownRows() const {
    QList<int> rows;
    for (int row = 0; row < filter_->rowCount(); ++row)
        rows.append(filter_->mapToSource(filter_->index(row, 0)).row());
    return rows;
}

QList<int> frmLinkMonitor::selectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : grdExchanges_->selectionModel()->selectedRows())
        rows.append(filter_->mapToSource(index).row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void frmLinkMonitor::cmdCopy_Click() {
    const QList<int> rows = selectedRows();
    if (!rows.isEmpty())
        QApplication::clipboard()->setText(model_.lines(rows));
}

QString frmLinkMonitor::fileHeader() const {
    return QStringLiteral("VORNA7 Link Monitor\r\n") +
           QStringLiteral("Port: %1\r\n").arg(port_.portNumber()) +
           QStringLiteral("Speed: %1\r\n").arg(port_.settings().section(QLatin1Char(','), 0, 0)) +
           QStringLiteral("Date: %1\r\n").arg(context_.NowText()) +
           QStringLiteral("Program version: " VORNA7_VERSION_TEXT "\r\n") +
           QStringLiteral("Dropped before the first line: %1\r\n").arg(model_.dropped()) +
           LinkExchangeText::columnHeadings() + QStringLiteral("\r\n");
}

// The file holds the rows the window shows, through the filter, as they are now.
void frmLinkMonitor::cmdSaveAs_Click() {
    const std::optional<QString> path =
        fileDialogs_.saveFile(QLatin1String(TextFilter), QStringLiteral("linkmonitor.txt"));
    if (!path)
        return;
    const QString error =
        AtomicFile::write(*path, (fileHeader() + model_.lines(shownRows())).toLatin1());
    if (!error.isEmpty())
        context_.prompter().ask(
            QStringLiteral("Link Monitor"),
            QStringLiteral("The file \"%1\" could not be written:\r\n%2").arg(*path, error),
            Prompter::Icon::Exclamation, Prompter::Buttons::OK);
}

void frmLinkMonitor::rememberScrollPosition() {
    const QScrollBar* bar = grdExchanges_->verticalScrollBar();
    atBottom_ = bar->value() == bar->maximum();
}

// New rows pull the view along only when it was showing the newest; an operator reading
// older rows is left in peace.
void frmLinkMonitor::followNewRows() {
    if (atBottom_)
        grdExchanges_->scrollToBottom();
}
