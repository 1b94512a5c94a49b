#include "AboutText.h"

#include "Vorna7Version.h"

QString AboutText::title() {
    return QStringLiteral("VORNA7");
}

QString AboutText::caption() {
    return QStringLiteral("About ") + title();
}

QString AboutText::version() {
    return QStringLiteral("Version " VORNA7_VERSION_TEXT);
}

QString AboutText::description() {
    return QStringLiteral(
        "Set-up and monitoring program for the bodymaker controller. It talks to the target "
        "board over one RS-232 serial line to show the machine's speed, position, alarms and "
        "I/O states, to edit the set-up parameters and the machine timing, to read the shift "
        "data, to keep set-up data in files and to load controller programs into the target "
        "board.");
}

QString AboutText::techSupport() {
    return QStringLiteral(
        "Technical Support:\n"
        "Contact the service department of your machine supplier. Please have the version "
        "number above, the program ident shown in View > Target Board Interface and the "
        "system information (System Info...) at hand.");
}
