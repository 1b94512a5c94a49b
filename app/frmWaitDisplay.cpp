#include "frmWaitDisplay.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>

#include "AppContext.h"
#include "CenterForm.h"
#include "Prompter.h"
#include "modReport.h"

frmWaitDisplay::frmWaitDisplay(AppContext& context, QPrinter& printer, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context), printer_(printer) {
    setObjectName(QStringLiteral("frmWaitDisplay"));
    setWindowTitle(QStringLiteral("VORNA7"));
    auto* fraWaitDisplay = new QGroupBox(this);
    fraWaitDisplay->setObjectName(QStringLiteral("fraWaitDisplay"));
    lblWaitDisplay_ = new QLabel(QStringLiteral("Please Standby ..."), fraWaitDisplay);
    lblWaitDisplay_->setObjectName(QStringLiteral("lblWaitDisplay"));
    lblWaitDisplay_->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(fraWaitDisplay))->addWidget(lblWaitDisplay_);
    (new QVBoxLayout(this))->addWidget(fraWaitDisplay);
    setFixedSize(320, 90);
}

bool frmWaitDisplay::Form_Load(AppContext& context, QPrinter& printer, QWidget* parent) {
    frmWaitDisplay window(context, printer, parent);
    if (context.ReportMode == 1)
        window.lblWaitDisplay_->setText(QStringLiteral("Generating Report, Please Standby ..."));
    CenterForm(window);
    window.show();
    QCoreApplication::processEvents();
    const bool printed = context.ReportMode != 1 || window.PrintReport();
    window.hide();
    QCoreApplication::processEvents();
    return printed;
}

bool frmWaitDisplay::PrintReport() {
    QPainter painter;
    if (!painter.begin(&printer_)) {
        reportFailure(QStringLiteral("The printer could not be started."));
        return false;
    }
    modReport report(
        painter, [this] { return printer_.newPage(); }, context_);
    const bool drawn = report.PrintSetupReport(context_.gFileNameCaption);
    if (!drawn || printer_.printerState() == QPrinter::Error) {
        printer_.abort();
        painter.end();
        reportFailure(QStringLiteral("The printer failed while the report was drawn."));
        return false;
    }
    // Ending the document is when the printer takes it: a refusal here is a failure too.
    if (!painter.end()) {
        reportFailure(QStringLiteral("The printer could not be started."));
        return false;
    }
    QCoreApplication::processEvents();
    return true;
}

void frmWaitDisplay::reportFailure(const QString& reason) {
    context_.prompter().ask(QStringLiteral("frmWaitDisplay PrintReport"),
                            reason + QStringLiteral("\r\n\r\nThe report was not printed."),
                            Prompter::Icon::Exclamation, Prompter::Buttons::OK);
}
