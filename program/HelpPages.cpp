#include "HelpPages.h"

#include <QDir>
#include <QHash>

#include "SupportFolder.h"

QString HelpPages::folder(const QString& applicationFolder) {
    const QString found =
        SupportFolder::findEntry(applicationFolder, QStringLiteral("Help"), QDir::Dirs);
    return found.isEmpty() ? QDir(applicationFolder).filePath(QStringLiteral("Help")) : found;
}

QUrl HelpPages::url(const QString& applicationFolder, const QString& page) {
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    const QString file = hash < 0 ? page : page.left(hash);
    QUrl url = QUrl::fromLocalFile(QDir(folder(applicationFolder)).filePath(file));
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    return url;
}

QString HelpPages::pageFor(const QString& windowName) {
    static const QHash<QString, QString> pages = {
        {QStringLiteral("frmMDIMain"), QStringLiteral("main-window.html")},
        {QStringLiteral("frmBMMain"), QStringLiteral("main-display.html")},
        {QStringLiteral("frmBMSetup"), QStringLiteral("setup-parameters.html")},
        {QStringLiteral("frmBMTmg"), QStringLiteral("machine-timing.html")},
        {QStringLiteral("frmBMData"), QStringLiteral("shift-data.html")},
        {QStringLiteral("frmBMIO"), QStringLiteral("io-states.html")},
        {QStringLiteral("frmTargetBoard"), QStringLiteral("target-board.html")},
        {QStringLiteral("frmDownloadProg"), QStringLiteral("program-download.html")},
        {QStringLiteral("frmProcessing"), QStringLiteral("data-transfer.html")},
        {QStringLiteral("frmWaitDisplay"), QStringLiteral("print-report.html")},
        {QStringLiteral("frmSetupComm"), QStringLiteral("comm-port.html")},
        {QStringLiteral("frmLinkMonitor"), QStringLiteral("link-monitor.html")},
        {QStringLiteral("frmAbout"), QStringLiteral("help-menu.html")},
        {QStringLiteral("frmSystemInfo"), QStringLiteral("help-menu.html#system-information")},
    };
    return pages.value(windowName, contentsPage());
}
