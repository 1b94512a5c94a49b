#include <QCoreApplication>
#include <iostream>

#include "CtlCommands.h"
#include "CtlOptions.h"
#include "CtlSession.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const CtlOptions::Parsed parsed = CtlOptions::parse(QCoreApplication::arguments().mid(1));
    if (!parsed.error.isEmpty()) {
        std::cerr << "vorna7ctl: " << parsed.error.toStdString() << std::endl;
        return CtlCommands::BadUsage;
    }
    if (parsed.options.help) {
        std::cout << CtlOptions::usage().toStdString();
        return CtlCommands::Success;
    }
    CtlSession session(parsed.options, QCoreApplication::applicationDirPath(), std::cout,
                       std::cerr);
    return session.run();
}
