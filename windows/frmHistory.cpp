#include "frmHistory.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "FileDialogs.h"
#include "HistoryLog.h"
#include "Prompter.h"

namespace {
const QString DayFormat = QStringLiteral("yyyy-MM-dd");
const QString ExportFilter = QStringLiteral("CSV Files (*.csv)|*.csv|");

QString titleOf(HistoryRecord::Kind kind) {
    return kind == HistoryRecord::Kind::Shifts ? QStringLiteral("Shift History")
                                               : QStringLiteral("Alarm History");
}

QStringList headersOf(HistoryRecord::Kind kind) {
    if (kind == HistoryRecord::Kind::Shifts)
        return {QStringLiteral("Time"), QStringLiteral("Good Cans"), QStringLiteral("Short Cans")};
    return {QStringLiteral("Time"), QStringLiteral("Event"), QStringLiteral("Alarm"),
            QStringLiteral("Speed SPM")};
}
} // namespace

frmHistory::frmHistory(HistoryLog& log, HistoryRecord::Kind kind, FileDialogs& dialogs,
                       Prompter& prompter, QWidget* parent)
    : QDialog(parent), log_(log), kind_(kind), dialogs_(dialogs), prompter_(prompter),
      lstDays(new QListWidget(this)), grdHistory(new QTableWidget(this)),
      cmdExport(new QPushButton(QStringLiteral("&Export..."), this)),
      cmdClose(new QPushButton(QStringLiteral("&Close"), this)) {
    setObjectName(kind == HistoryRecord::Kind::Shifts ? QStringLiteral("frmShiftHistory")
                                                      : QStringLiteral("frmAlarmHistory"));
    setWindowTitle(titleOf(kind));
    lstDays->setObjectName(QStringLiteral("lstDays"));
    grdHistory->setObjectName(QStringLiteral("grdHistory"));
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    lstDays->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstDays->setMaximumWidth(130);
    const QStringList headers = headersOf(kind);
    grdHistory->setColumnCount(static_cast<int>(headers.size()));
    grdHistory->setHorizontalHeaderLabels(headers);
    grdHistory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdHistory->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdHistory->verticalHeader()->hide();
    grdHistory->horizontalHeader()->setStretchLastSection(true);

    auto* lists = new QHBoxLayout;
    lists->addWidget(lstDays);
    lists->addWidget(grdHistory, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExport);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(buttons);
    resize(kind == HistoryRecord::Kind::Shifts ? 520 : 760, 420);

    connect(lstDays, &QListWidget::itemSelectionChanged, this, &frmHistory::fillTable);
    connect(cmdExport, &QPushButton::clicked, this, &frmHistory::cmdExport_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(&log_, &HistoryLog::recordAppended, this, &frmHistory::recordAppended);
    fillDays();
}

frmHistory* frmHistory::showModeless(HistoryLog& log, HistoryRecord::Kind kind,
                                     FileDialogs& dialogs, Prompter& prompter, QWidget* parent) {
    const QString name = kind == HistoryRecord::Kind::Shifts ? QStringLiteral("frmShiftHistory")
                                                             : QStringLiteral("frmAlarmHistory");
    auto* window =
        parent ? parent->findChild<frmHistory*>(name, Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new frmHistory(log, kind, dialogs, prompter, parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

// Newest day first; the days chosen stay chosen, and with none chosen the newest is.
void frmHistory::fillDays() {
    const QList<QDate> kept = selectedDays();
    QList<QDate> days = log_.days();
    std::reverse(days.begin(), days.end());
    const QSignalBlocker quiet(lstDays);
    lstDays->clear();
    for (const QDate& day : days) {
        auto* item = new QListWidgetItem(day.toString(DayFormat), lstDays);
        item->setSelected(kept.contains(day));
    }
    if (kept.isEmpty() && lstDays->count() > 0)
        lstDays->item(0)->setSelected(true);
    fillTable();
}

QList<QDate> frmHistory::selectedDays() const {
    QList<QDate> days;
    for (const QListWidgetItem* item : lstDays->selectedItems())
        days.append(QDate::fromString(item->text(), DayFormat));
    std::sort(days.begin(), days.end());
    return days;
}

QStringList frmHistory::rowTexts(const HistoryRecord& record) const {
    const QString time = HistoryRecord::timeText(record.time);
    if (kind_ == HistoryRecord::Kind::Shifts)
        return {time, record.goodCans, record.shortCans};
    return {time, record.event, record.text, record.speed};
}

void frmHistory::fillTable() {
    QList<HistoryRecord> shown;
    for (const QDate& day : selectedDays()) {
        for (const HistoryRecord& record : log_.readDay(day)) {
            if (record.kind() == kind_)
                shown.append(record);
        }
    }
    grdHistory->setRowCount(static_cast<int>(shown.size()));
    // Days oldest first, lines in the order written: the reverse is newest first.
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QStringList texts = rowTexts(shown[shown.size() - 1 - i]);
        for (qsizetype c = 0; c < texts.size(); ++c)
            grdHistory->setItem(static_cast<int>(i), static_cast<int>(c),
                                new QTableWidgetItem(texts[c]));
    }
    grdHistory->resizeColumnsToContents();
    cmdExport->setEnabled(!selectedDays().isEmpty());
}

// A record of a new day brings its day into the list; one of a day shown, into the table.
void frmHistory::recordAppended(const HistoryRecord& record) {
    const QDate day = record.time.date();
    if (lstDays->findItems(day.toString(DayFormat), Qt::MatchExactly).isEmpty())
        fillDays();
    else if (record.kind() == kind_ && selectedDays().contains(day))
        fillTable();
}

void frmHistory::cmdExport_Click() {
    const QList<QDate> days = selectedDays();
    if (days.isEmpty())
        return;
    const QString suggested = titleOf(kind_).replace(u' ', u'-') + u'-' +
                              days.front().toString(DayFormat) + QStringLiteral(".csv");
    const std::optional<QString> path = dialogs_.saveFile(ExportFilter, suggested);
    if (!path)
        return;
    const QString error = log_.exportDays(days, kind_, *path);
    if (!error.isEmpty())
        prompter_.ask(titleOf(kind_), QStringLiteral("Cannot write %1:\n%2").arg(*path, error),
                      Prompter::Icon::Exclamation, Prompter::Buttons::OK);
}
