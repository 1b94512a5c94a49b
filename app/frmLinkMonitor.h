#pragma once

#include <QWidget>

#include "LinkMonitorModel.h"

class AppContext;
class FileDialogs;
class QCheckBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class RSComm;
class SerialPort;

// View > Link Monitor: every exchange on the line as a row, live, with the operation it
// belongs to. The window is the link's watcher for as long as it is open; closed, the link
// records nothing.
class frmLinkMonitor : public QWidget {
    Q_OBJECT
public:
    frmLinkMonitor(AppContext& context, RSComm& link, SerialPort& port, FileDialogs& fileDialogs,
                   QWidget* parent = nullptr);
    ~frmLinkMonitor() override;

    LinkMonitorModel& model() { return model_; }

    void cmdPause_Click(bool paused);
    void cmdClear_Click();
    void chkFailuresOnly_Click(bool failuresOnly);
    void cmdCopy_Click();
    void cmdSaveAs_Click();

private:
    void buildControls();
    void showCounts();
    QList<int> shownRows() const;
    QList<int> selectedRows() const;
    QString fileHeader() const;
    void rememberScrollPosition();
    void followNewRows();

    AppContext& context_;
    RSComm& link_;
    SerialPort& port_;
    FileDialogs& fileDialogs_;
    LinkMonitorModel model_;
    QSortFilterProxyModel* filter_;
    QTableView* grdExchanges_;
    QPushButton* cmdPause_;
    QCheckBox* chkFailuresOnly_;
    QLabel* lblHeldBack_;
    QLabel* lblDropped_;
    bool atBottom_ = true;
};
