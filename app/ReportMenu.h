#pragma once

#include <functional>

class AppContext;
class QPrinter;
class QWidget;
struct MainWindowCommands;

// File > Print Report...: the print dialog, then the report in the wait window.
class ReportMenu {
public:
    // Sets up the printer as the user chooses; false when cancelled.
    using ChoosePrinter = std::function<bool(QPrinter&, QWidget*)>;

    static void addTo(MainWindowCommands& commands);
    static void mnuFilePrint_Click(AppContext& context, QPrinter& printer,
                                   const ChoosePrinter& choose, QWidget* parent);
};
