#pragma once

#include <QWidget>

class AppContext;
class QLabel;
class QPrinter;

// The small window shown while the report is drawn; loading it does the printing.
class frmWaitDisplay final : public QWidget {
    Q_OBJECT
public:
    // Shows the window, prints the report for ReportMode 1 on `printer`, and goes away.
    // False when the printer failed (reported, and the document discarded).
    static bool Form_Load(AppContext& context, QPrinter& printer, QWidget* parent = nullptr);

private:
    frmWaitDisplay(AppContext& context, QPrinter& printer, QWidget* parent);
    bool PrintReport();
    void reportFailure(const QString& reason);

    AppContext& context_;
    QPrinter& printer_;
    QLabel* lblWaitDisplay_;
};
