#include <QTemporaryDir>

#include "Board.h"
#include "BoardSerialPort.h"
#include "HelpPages.h"
#include "HelpText.h"
#include "RSComm.h"
#include "ScriptedPrompter.h"
#include "VirtualClock.h"

TEST(HelpPagesTest, EveryLinkOfEveryPageLeadsToAnExistingPageAndAnchor) {
    const QStringList pages = HelpText::pages();
    ASSERT_GE(pages.size(), 15);
    for (const QString& page : pages) {
        const QStringList links = HelpText::links(page);
        EXPECT_TRUE(links.contains(HelpPages::contentsPage())) << page.toStdString();
        for (const QString& link : links) {
            if (link.startsWith(QStringLiteral("http")))
                continue;
            const qsizetype hash = link.indexOf(QLatin1Char('#'));
            const QString target = hash < 0 ? link : link.left(hash);
            const QString file = target.isEmpty() ? page : target;
            EXPECT_TRUE(pages.contains(file)) << page.toStdString() << " -> " << link.toStdString();
            if (hash >= 0) {
                EXPECT_TRUE(HelpText::anchors(file).contains(link.mid(hash + 1)))
                    << page.toStdString() << " -> " << link.toStdString();
            }
        }
        const QRegularExpressionMatch title =
            QRegularExpression(QStringLiteral("<title>([^<]+)</title>"))
                .match(HelpText::source(page));
        EXPECT_TRUE(title.hasMatch()) << page.toStdString();
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
        const char* caption;
        const char* page;
    } commands[] = {
        {"&New...", "file-menu.html"},
        {"&Open...", "file-menu.html"},
        {"&Save", "file-menu.html"},
        {"Save &As...", "file-menu.html"},
        {"Export Shift Data...", "file-menu.html"},
        {"&Upload (save) Data", "file-menu.html"},
        {"Download &Program", "file-menu.html"},
        {"&Download Data", "file-menu.html"},
        {"&Print Report...", "file-menu.html"},
        {"E&xit", "file-menu.html"},
        {"Enable &Offline Editing", "edit-menu.html"},
        {"Co&mm Port", "edit-menu.html"},
        {"&Target Board Interface", "view-menu.html"},
        {"O&nline Data", "view-menu.html"},
        {"O&ffline Data", "view-menu.html"},
        {"&1 Main Display", "window-menu.html"},
        {"&2 Set-up Parameters", "window-menu.html"},
        {"&3 Machine Timing", "window-menu.html"},
        {"&4 Shift Data", "window-menu.html"},
        {"&5 I/O States", "window-menu.html"},
        {"&Help Topics", "help-menu.html"},
        {"&About VORNA7", "help-menu.html"},
    };
    for (const auto& command : commands) {
        const QString caption = QString::fromLatin1(command.caption).remove(QLatin1Char('&'));
        EXPECT_TRUE(HelpText::plain(QString::fromLatin1(command.page)).contains(caption))
            << command.caption << " in " << command.page;
    }
}

TEST(HelpPagesTest, EachWindowHasAPageAndUnknownWindowsGetTheContents) {
    const char* windows[] = {"frmMDIMain",    "frmBMMain",      "frmBMSetup",     "frmBMTmg",
                             "frmBMData",     "frmBMIO",        "frmTargetBoard", "frmDownloadProg",
                             "frmProcessing", "frmWaitDisplay", "frmSetupComm",   "frmAbout",
                             "frmSystemInfo"};
    QSet<QString> pages;
    for (const char* window : windows) {
        const QString page = HelpPages::pageFor(QString::fromLatin1(window));
        EXPECT_NE(page, HelpPages::contentsPage()) << window;
        const QString file = page.section(QLatin1Char('#'), 0, 0);
        EXPECT_TRUE(HelpText::pages().contains(file)) << window;
        if (page.contains(QLatin1Char('#'))) {
            EXPECT_TRUE(HelpText::anchors(file).contains(page.section(QLatin1Char('#'), 1)))
                << window;
        }
        pages.insert(page);
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
    link.RSWrite(QStringLiteral("W1024"), QStringLiteral("12a"));
    link.RSWrite(QStringLiteral("B1020.0"), QStringLiteral("2"));
    link.RSWrite(QStringLiteral("B1020"), QStringLiteral("256"));
    link.RSWrite(QStringLiteral("W1024"), QStringLiteral("65536"));
    link.RSWrite(QStringLiteral("D1100"), QStringLiteral("655360000"));
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
