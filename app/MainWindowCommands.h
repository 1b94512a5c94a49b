#pragma once

#include <functional>

class frmMDIMain;

// Commands the main window offers but other parts of the program carry out. main fills in
// those this build has; a menu item whose command is missing stays disabled.
struct MainWindowCommands {
    using Command = std::function<void(frmMDIMain&)>;

    Command commPort;             // Edit > Comm Port: the Comm Port dialog, modal
    Command helpTopics;           // Help > Help Topics: the help's contents page
    Command about;                // Help > About VORNA7: the About box, modeless
    Command upload;               // File > Upload (save) Data
    Command download;             // File > Download Data
    Command downloadProgram;      // File > Download Program
    Command uploadProgram;        // File > Upload Program
    Command printReport;          // File > Print Report...
    Command targetBoardInterface; // View > Target Board Interface
    Command alarmHistory;         // View > Alarm History
};
