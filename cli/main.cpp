#include <QCoreApplication>
#include <QGuiApplication>
#include <csignal>
#include <iostream>
#include <memory>
#include <unistd.h>

#include "AppLayout.h"
#include "CtlCommands.h"
#include "CtlOptions.h"
#include "CtlSession.h"
#include "Vorna7Version.h"

namespace {

QStringList arguments(int argc, char* argv[]) {
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

} // namespace

int main(int argc, char* argv[]) {
    const CtlOptions::Parsed parsed = CtlOptions::parse(arguments(argc, argv));
    // The report draws text, which needs the GUI side of Qt, but never a display.
    std::unique_ptr<QCoreApplication> application;
    if (parsed.error.isEmpty() && !parsed.options.usesLink()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    // A reader that goes away (`vorna7ctl watch W182 | head -3`) must not kill us mid-exchange;
    // the failed write ends the command and the link is closed properly.
    std::signal(SIGPIPE, SIG_IGN);
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
    const AppLayout layout = AppLayout::forProgramFolder(QCoreApplication::applicationDirPath());
    if (parsed.options.appDir.isEmpty()) {
        // Without the folder the command still runs on the default port settings.
        if (const QString error = layout.prepare(); !error.isEmpty())
            std::cerr << "vorna7ctl: " << error.toStdString() << std::endl;
    }
    CtlSession session(parsed.options, layout, std::cout, std::cerr);
    session.setTerminal(isatty(STDIN_FILENO) ? &std::cin : nullptr);
    return session.run();
}
