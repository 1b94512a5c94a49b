#include "ReportMenu.h"

#include <QPrintDialog>
#include <QPrinter>

#include "AppContext.h"
#include "MainWindowCommands.h"
#include "frmMDIMain.h"
#include "frmWaitDisplay.h"

namespace {

bool printDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

void ReportMenu::addTo(MainWindowCommands& commands) {
    commands.printReport = [](frmMDIMain& main) {
        mnuFilePrint_Click(main.context(), printDialog, &main);
    };
}

void ReportMenu::mnuFilePrint_Click(AppContext& context, const ChoosePrinter& choose,
                                    QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    if (!choose(printer, parent))
        return;
    context.ReportMode = 1;
    frmWaitDisplay::Form_Load(context, printer, parent);
}
