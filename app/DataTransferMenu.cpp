#include "DataTransferMenu.h"

#include "AppContext.h"
#include "DataTransfer.h"
#include "DataTransferCommands.h"
#include "MainWindowCommands.h"
#include "RSComm.h"
#include "RSCommTransferLink.h"
#include "frmMDIMain.h"
#include "frmProcessing.h"

namespace {

void run(frmMDIMain& main, DataTransferCommands::Outcome (DataTransferCommands::*command)()) {
    RSCommTransferLink link(main.TargetComm());
    DataTransferCommands commands(main.context(), link,
                                  {[&main] { main.setWantedMode(true); },
                                   [&main](DataTransfer& transfer) {
                                       frmProcessing dialog(transfer, main.context().ProcessMode,
                                                            &main);
                                       dialog.exec();
                                   }});
    (commands.*command)();
}

} // namespace

void DataTransferMenu::addTo(MainWindowCommands& commands) {
    commands.upload = [](frmMDIMain& main) {
        run(main, &DataTransferCommands::mnuFileUpload_Click);
    };
    commands.download = [](frmMDIMain& main) {
        run(main, &DataTransferCommands::mnuFileDownload_Click);
    };
}
