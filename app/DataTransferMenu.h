#pragma once

struct MainWindowCommands;

// Fills in File > Upload (save) Data and File > Download Data: the transfer on the main
// window's link, in the processing dialog.
class DataTransferMenu {
public:
    static void addTo(MainWindowCommands& commands);
};
