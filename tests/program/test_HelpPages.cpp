#include <QSet>

#include "BoardRig.h"
#include "HelpPages.h"
#include "ProgramTestFolder.h"

using namespace ProgramTestFolder;

namespace {
// Whether `link`, followed from `page`, reaches an existing page and, if it names one, anchor.
bool resolves(const QString& page, const QString& link) {
    const QString target = link.section(QLatin1Char('#'), 0, 0);
    const QString file = target.isEmpty() ? page : target;
    return helpPages().contains(file) &&
           (!link.contains(QLatin1Char('#')) ||
            captures(file, R"re(<a name="([^"]*)")re").contains(link.section(QLatin1Char('#'), 1)));
}
} // namespace

// Every page has a title and a way back to the contents, every link leads somewhere, and
// every page can be reached from the contents.
TEST(HelpPagesTest, ThePagesFormOneWholeCoverEachWindowAndExplainTheLinksMessages) {
    const QStringList pages = helpPages();
    ASSERT_GE(pages.size(), 15);
    QSet<QString> reached{HelpPages::contentsPage()};
    QStringList queue{HelpPages::contentsPage()};
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        const QStringList links = captures(page, R"re(href="([^"]*)")re");
        EXPECT_TRUE(links.contains(HelpPages::contentsPage())) << page.toStdString();
        EXPECT_TRUE(
            helpSource(page).contains(QRegularExpression(QStringLiteral("<title>[^<]+</title>"))))
            << page.toStdString();
        for (const QString& link : links) {
            if (link.startsWith(QStringLiteral("http")))
                continue;
            EXPECT_TRUE(resolves(page, link)) << page.toStdString() << " -> " << link.toStdString();
            const QString file = link.section(QLatin1Char('#'), 0, 0);
            if (!file.isEmpty() && !reached.contains(file)) {
                reached.insert(file);
                queue.append(file);
            }
        }
    }
    EXPECT_EQ(QSet<QString>(pages.begin(), pages.end()), reached);

    // Each window has a page; unknown windows get the contents.
    for (const char* window :
         {"frmMDIMain", "frmBMMain", "frmBMSetup", "frmBMTmg", "frmBMData", "frmBMIO",
          "frmTargetBoard", "frmDownloadProg", "frmProcessing", "frmWaitDisplay", "frmSetupComm",
          "frmAbout", "frmSystemInfo", "frmLinkMonitor"}) {
        const QString page = HelpPages::pageFor(QString::fromLatin1(window));
        EXPECT_NE(page, HelpPages::contentsPage()) << window;
        EXPECT_TRUE(resolves(HelpPages::contentsPage(), page)) << window;
    }
    EXPECT_EQ(HelpPages::pageFor(QStringLiteral("frmSomethingElse")), HelpPages::contentsPage());
    EXPECT_TRUE(helpPages().contains(HelpPages::commPortPage()));

    // The help folder is found whatever its case, and pages become file URLs.
    QTemporaryDir app;
    EXPECT_EQ(HelpPages::folder(app.path()), app.filePath(QStringLiteral("Help")));
    QDir(app.path()).mkpath(QStringLiteral("HELP"));
    EXPECT_EQ(HelpPages::folder(app.path()), app.filePath(QStringLiteral("HELP")));
    const QUrl url = HelpPages::url(app.path(), QStringLiteral("comm-port.html#aliases"));
    EXPECT_EQ(url.toLocalFile(), app.filePath(QStringLiteral("HELP/comm-port.html")));
    EXPECT_EQ(url.fragment(), QStringLiteral("aliases"));
    EXPECT_FALSE(HelpPages::url(app.path(), QStringLiteral("VORNA7.html")).hasFragment());

    // Each message the link can show is looked up in the help by its title and first line, as
    // the link actually words it.
    BoardRig rig;
    auto& [folder, clock, prompter, board, port, link] = rig;
    // Time passes on the wire, so the link's two-second handshake limit is reached.
    ASSERT_TRUE(board.faults().setWireBaud(19200));

    QDir(folder.path()).mkpath(QStringLiteral("Support/RSPort.cfg")); // unreadable settings
    link.OpenRSComm(port);
    QDir(folder.filePath(QStringLiteral("Support/RSPort.cfg"))).removeRecursively();
    port.refuseOpen();
    link.OpenRSComm(port);
    port.allowOpen();
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    link.OpenRSComm(port);
    board.faults().clear();
    link.OpenRSComm(port);
    board.faults().set(sim::Fault::WrongAcknowledge, sim::FaultPlan::always());
    link.RSRead(QStringLiteral("W1024"));
    board.faults().clear();
    link.OpenRSComm(port);
    for (const auto& [address, value] : {std::pair{"W1024", "12a"},
                                         {"B1020.0", "2"},
                                         {"B1020", "256"},
                                         {"W1024", "65536"},
                                         {"D1100", "655360000"}})
        link.RSWrite(QString::fromLatin1(address), QString::fromLatin1(value));
    board.faults().dropLine();
    link.RSRead(QStringLiteral("W1024"));

    QSet<QString> titles;
    const QString help = helpText(HelpPages::linkMessagesPage());
    for (const ScriptedPrompter::Message& message : prompter.messages()) {
        titles.insert(message.title);
        EXPECT_TRUE(help.contains(message.title)) << message.title.toStdString();
        QString first = message.text.section(QRegularExpression(QStringLiteral("[\r\n]+")), 0, 0);
        if (first == QStringLiteral("Error:"))
            first = message.text.section(QLatin1Char('\r'), 1, 1);
        if (!first.startsWith(QStringLiteral("Error Number = "))) {
            EXPECT_TRUE(help.contains(first))
                << message.title.toStdString() << ": " << first.toStdString();
        }
    }
    EXPECT_EQ(titles, (QSet<QString>{"RSComm InitializeRSComm", "Comm Port Error",
                                     "WARNING - Communication Error!", "ENTRY ALERT"}));
    EXPECT_GE(prompter.count(), 10);
    for (const char* text :
         {"Cannot Determine PLS READY Mode Within Target Board.",
          "Not able to Upload Configuration from PLS.", "Cannot Set PLC Mode Within Target Board."})
        EXPECT_TRUE(help.contains(QString::fromLatin1(text))) << text;
}
