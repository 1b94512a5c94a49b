#include <QCoreApplication>
#include <csignal>
#include <iostream>

#include "CtlCommands.h"
#include "CtlOptions.h"
#include "CtlSession.h"
#include "Vorna7Version.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    // A reader that goes away (`vorna7ctl watch W182 | head -3`) must not kill us mid-exchange;
    // the failed write ends the command and the link is closed properly.
    std::signal(SIGPIPE, SIG_IGN);
    const CtlOptions::Parsed parsed = CtlOptions::parse(QCoreApplication::arguments().mid(1));
    if (!parsed.error.isEmpty()) {
        std::cerr << "vorna7ctl: " << parsed.error.toStdString() << std::endl;
        return CtlCommands::BadUsage;
    }
    if (parsed.options.help) {
        std::cout << CtlOptions::usage().toStdString();
        return CtlCommands::Success;
    }
    if (parsed.options.version) {
        std::cout << "vorna7ctl " VORNA7_VERSION_TEXT "\n";
        return CtlCommands::Success;
    }
    CtlSession session(parsed.options, QCoreApplication::applicationDirPath(), std::cout,
                       std::cerr);
    return session.run();
}
