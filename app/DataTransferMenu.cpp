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

DataTransferCommands::Outcome
run(frmMDIMain& main, DataTransferCommands::Outcome (DataTransferCommands::*command)()) {
    RSCommTransferLink link(main.TargetComm());
    DataTransferCommands commands(main.context(), link,
                                  {[&main] { main.setWantedMode(true); },
                                   [&main](DataTransfer& transfer) {
                                       frmProcessing dialog(transfer, main.context().ProcessMode,
                                                            &main);
                                       dialog.exec();
                                   }});
    return (commands.*command)();
}

} // namespace

void DataTransferMenu::addTo(MainWindowCommands& commands) {
    commands.upload = [](frmMDIMain& main) { upload(main); };
    commands.download = [](frmMDIMain& main) { download(main); };
}

DataTransferCommands::Outcome DataTransferMenu::upload(frmMDIMain& main) {
    return run(main, &DataTransferCommands::mnuFileUpload_Click);
}

DataTransferCommands::Outcome DataTransferMenu::download(frmMDIMain& main) {
    return run(main, &DataTransferCommands::mnuFileDownload_Click);
}
