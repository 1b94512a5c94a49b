#pragma once

#include "DataTransferCommands.h"

struct MainWindowCommands;
class frmMDIMain;

// Fills in File > Upload (save) Data and File > Download Data: the transfer on the main
// window's link, in the processing dialog.
class DataTransferMenu {
public:
    static void addTo(MainWindowCommands& commands);

    // The two commands themselves, with their outcome for callers that watch it.
    static DataTransferCommands::Outcome upload(frmMDIMain& main);
    static DataTransferCommands::Outcome download(frmMDIMain& main);
};
