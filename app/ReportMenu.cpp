#include "ReportMenu.h"

#include <QPrintDialog>
#include <QPrinter>
#include <memory>

#include "AppContext.h"
#include "MainWindowCommands.h"
#include "frmMDIMain.h"
#include "frmWaitDisplay.h"

namespace {

// The report is drawn whole, so the dialog offers no page range it would not honour.
bool printDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    printer.setPrintRange(QPrinter::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

// The program's printer lives as long as the menu, so the next print dialog starts from the
// printer, paper and orientation chosen last.
void ReportMenu::addTo(MainWindowCommands& commands) {
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    commands.printReport = [printer](frmMDIMain& main) {
        mnuFilePrint_Click(main.context(), *printer, printDialog, &main);
    };
}

void ReportMenu::mnuFilePrint_Click(AppContext& context, QPrinter& printer,
                                    const ChoosePrinter& choose, QWidget* parent) {
    if (!choose(printer, parent))
        return;
    context.ReportMode = 1;
    frmWaitDisplay::Form_Load(context, printer, parent);
}
