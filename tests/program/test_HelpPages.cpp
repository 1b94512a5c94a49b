#include <QSet>
#include <QTemporaryDir>

#include "Board.h"
#include "BoardSerialPort.h"
#include "HelpPages.h"
#include "HelpText.h"
#include "RSComm.h"
#include "ScriptedPrompter.h"
#include "VirtualClock.h"

namespace {
// Whether `link`, followed from `page`, reaches an existing page and, if it names one, anchor.
bool resolves(const QString& page, const QString& link) {
    const QString target = link.section(QLatin1Char('#'), 0, 0);
    const QString file = target.isEmpty() ? page : target;
    return HelpText::pages().contains(file) &&
           (!link.contains(QLatin1Char('#')) ||
            HelpText::anchors(file).contains(link.section(QLatin1Char('#'), 1)));
}
} // namespace

TEST(HelpPagesTest, EveryLinkOfEveryPageLeadsToAnExistingPageAndAnchor) {
    const QStringList pages = HelpText::pages();
    ASSERT_GE(pages.size(), 15);
    for (const QString& page : pages) {
        const QStringList links = HelpText::links(page);
        EXPECT_TRUE(links.contains(HelpPages::contentsPage())) << page.toStdString();
        for (const QString& link : links) {
            if (link.startsWith(QStringLiteral("http")))
                continue;
            EXPECT_TRUE(resolves(page, link)) << page.toStdString() << " -> " << link.toStdString();
        }
        EXPECT_TRUE(HelpText::source(page).contains(
            QRegularExpression(QStringLiteral("<title>[^<]+</title>"))))
            << page.toStdString();
    }
}

TEST(HelpPagesTest, EveryPageCanBeReachedFromTheContents) {
    QSet<QString> reached{HelpPages::contentsPage()};
    QStringList queue{HelpPages::contentsPage()};
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        for (const QString& link : HelpText::links(page)) {
            const QString file = link.section(QLatin1Char('#'), 0, 0);
            if (!file.isEmpty() && !reached.contains(file)) {
                reached.insert(file);
                queue.append(file);
            }
        }
    }
    for (const QString& page : HelpText::pages())
        EXPECT_TRUE(reached.contains(page)) << page.toStdString();
}

TEST(HelpPagesTest, EveryMenuCommandIsExplainedOnItsMenusPage) {
    const struct {
        const char* page;
        QStringList captions; // as on the menu, with the accelerator marks
    } menus[] = {
        {"file-menu.html",
         {"&New...", "&Open...", "&Save", "Save &As...", "Export Shift Data...",
          "&Upload (save) Data", "Download &Program", "&Download Data", "&Print Report...",
          "E&xit"}},
        {"edit-menu.html", {"Enable &Offline Editing", "Co&mm Port"}},
        {"view-menu.html", {"&Target Board Interface", "O&nline Data", "O&ffline Data"}},
        {"window-menu.html",
         {"&1 Main Display", "&2 Set-up Parameters", "&3 Machine Timing", "&4 Shift Data",
          "&5 I/O States"}},
        {"help-menu.html", {"&Help Topics", "&About VORNA7"}},
    };
    for (const auto& menu : menus) {
        const QString text = HelpText::plain(QString::fromLatin1(menu.page));
        for (QString caption : menu.captions)
            EXPECT_TRUE(text.contains(caption.remove(QLatin1Char('&'))))
                << caption.toStdString() << " in " << menu.page;
    }
}

TEST(HelpPagesTest, EachWindowHasAPageAndUnknownWindowsGetTheContents) {
    const char* windows[] = {"frmMDIMain",    "frmBMMain",      "frmBMSetup",     "frmBMTmg",
                             "frmBMData",     "frmBMIO",        "frmTargetBoard", "frmDownloadProg",
                             "frmProcessing", "frmWaitDisplay", "frmSetupComm",   "frmAbout",
                             "frmSystemInfo"};
    for (const char* window : windows) {
        const QString page = HelpPages::pageFor(QString::fromLatin1(window));
        EXPECT_NE(page, HelpPages::contentsPage()) << window;
        EXPECT_TRUE(resolves(HelpPages::contentsPage(), page)) << window;
    }
    EXPECT_EQ(HelpPages::pageFor(QStringLiteral("frmSomethingElse")), HelpPages::contentsPage());
    EXPECT_TRUE(HelpText::pages().contains(HelpPages::linkMessagesPage()));
    EXPECT_TRUE(HelpText::pages().contains(HelpPages::commPortPage()));
}

TEST(HelpPagesTest, TheHelpFolderIsFoundWhateverItsCaseAndPagesBecomeFileUrls) {
    QTemporaryDir folder;
    EXPECT_EQ(HelpPages::folder(folder.path()), folder.filePath(QStringLiteral("Help")));
    QDir(folder.path()).mkpath(QStringLiteral("HELP"));
    EXPECT_EQ(HelpPages::folder(folder.path()), folder.filePath(QStringLiteral("HELP")));
    const QUrl url = HelpPages::url(folder.path(), QStringLiteral("comm-port.html#aliases"));
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_EQ(url.toLocalFile(), folder.filePath(QStringLiteral("HELP/comm-port.html")));
    EXPECT_EQ(url.fragment(), QStringLiteral("aliases"));
    EXPECT_FALSE(HelpPages::url(folder.path(), QStringLiteral("VORNA7.html")).hasFragment());
}

// Each message the link can show is looked up in the help by its title and first line, as
// the link actually words it.
TEST(HelpPagesTest, EveryMessageOfTheLinkIsExplained) {
    QTemporaryDir folder;
    VirtualClock clock;
    ScriptedPrompter prompter;
    sim::Board board;
    BoardSerialPort port(board, clock);
    RSComm link(folder.path(), clock, prompter);
    // Time passes on the wire, so the link's two-second handshake limit is reached.
    ASSERT_TRUE(board.faults().setWireBaud(19200));

    // Settings that cannot be read.
    QDir(folder.path()).mkpath(QStringLiteral("Support/RSPort.cfg"));
    link.OpenRSComm(port);
    QDir(folder.filePath(QStringLiteral("Support/RSPort.cfg"))).removeRecursively();
    // A port that cannot be opened.
    port.refuseOpen();
    link.OpenRSComm(port);
    port.allowOpen();
    // A board that stays silent.
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    link.OpenRSComm(port);
    board.faults().clear();
    // A board that refuses the mode handshake.
    link.OpenRSComm(port);
    board.faults().set(sim::Fault::WrongAcknowledge, sim::FaultPlan::always());
    link.RSRead(QStringLiteral("W1024"));
    board.faults().clear();
    // Values the link will not send.
    link.OpenRSComm(port);
    const char* refused[][2] = {{"W1024", "12a"},
                                {"B1020.0", "2"},
                                {"B1020", "256"},
                                {"W1024", "65536"},
                                {"D1100", "655360000"}};
    for (const auto& [address, value] : refused)
        link.RSWrite(QString::fromLatin1(address), QString::fromLatin1(value));
    // The line going away.
    board.faults().dropLine();
    link.RSRead(QStringLiteral("W1024"));

    QSet<QString> titles;
    const QString help = HelpText::plain(HelpPages::linkMessagesPage());
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
