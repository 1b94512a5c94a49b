#pragma once

#include <QString>
#include <QUrl>

// Where the program's help lives: HTML pages in the Help folder beside the program.
class HelpPages {
public:
    static QString contentsPage() { return QStringLiteral("VORNA7.html"); }
    static QString linkMessagesPage() { return QStringLiteral("link-messages.html"); }
    static QString commPortPage() { return QStringLiteral("comm-port.html"); }

    // The existing folder ("Help", "help", ...) or, when none exists, <app>/Help.
    static QString folder(const QString& applicationFolder);
    // A page, optionally with "#anchor", as a file URL.
    static QUrl url(const QString& applicationFolder, const QString& page);
    // The page about a window, by its object name (frmBMSetup, frmSetupComm, ...); the
    // contents page for a window without a page of its own.
    static QString pageFor(const QString& windowName);
};
