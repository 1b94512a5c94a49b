#pragma once

#include <QDialog>
#include <QList>

#include "HistoryRecord.h"

class FileDialogs;
class HistoryLog;
class Prompter;
class QListWidget;
class QPushButton;
class QTableWidget;

// Alarm History (View menu) and Shift History (the Shift Data window's History button): the
// records of the days chosen on the left, newest first, and Export of those days to one CSV
// file. Records appended while the window is open appear at once.
class frmHistory : public QDialog {
    Q_OBJECT
public:
    frmHistory(HistoryLog& log, HistoryRecord::Kind kind, FileDialogs& dialogs, Prompter& prompter,
               QWidget* parent = nullptr);

    // The one window of its kind, made or raised, modeless.
    static frmHistory* showModeless(HistoryLog& log, HistoryRecord::Kind kind, FileDialogs& dialogs,
                                    Prompter& prompter, QWidget* parent);

    QList<QDate> selectedDays() const;

private:
    void fillDays();
    void fillTable();
    void recordAppended(const HistoryRecord& record);
    QStringList rowTexts(const HistoryRecord& record) const;
    void cmdExport_Click();

    HistoryLog& log_;
    HistoryRecord::Kind kind_;
    FileDialogs& dialogs_;
    Prompter& prompter_;
    QListWidget* lstDays;
    QTableWidget* grdHistory;
    QPushButton* cmdExport;
    QPushButton* cmdClose;
};
