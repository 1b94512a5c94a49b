#include <QTextBrowser>

#include "HelpPages.h"
#include "HelpViewer.h"
#include "ProgramTestFolder.h"

namespace {

class HelpViewerTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QWidget owner;

    void SetUp() override { ProgramTestFolder::installHelp(folder.path()); }

    static QTextBrowser* browser(HelpViewer* viewer) {
        return ProgramTestFolder::child<QTextBrowser>(viewer, QStringLiteral("brwHelp"));
    }
    static QString shownFile(HelpViewer* viewer) { return browser(viewer)->source().fileName(); }
    static bool enabled(HelpViewer* viewer, const QString& button) {
        return ProgramTestFolder::child<QPushButton>(viewer, button)->isEnabled();
    }
};

} // namespace

TEST_F(HelpViewerTest, HelpTopicsOpensTheContentsInTheOneViewerOfItsOwner) {
    HelpViewer* viewer = HelpViewer::openContents(folder.path(), &owner);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(shownFile(viewer), QStringLiteral("VORNA7.html"));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("VORNA7 Help - VORNA7 Help"));
    EXPECT_TRUE(browser(viewer)->toPlainText().contains(QStringLiteral("Machine windows")));
    EXPECT_FALSE(enabled(viewer, QStringLiteral("cmdBack")));
    EXPECT_FALSE(enabled(viewer, QStringLiteral("cmdForward")));

    const QString timingPage = HelpPages::pageFor(QStringLiteral("frmBMTmg"));
    EXPECT_EQ(HelpViewer::open(folder.path(), timingPage, &owner), viewer);
    EXPECT_EQ(shownFile(viewer), QStringLiteral("machine-timing.html"));
    EXPECT_EQ(owner.findChildren<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
}

TEST_F(HelpViewerTest, ContentsBackAndForwardMoveThroughThePagesSeen) {
    HelpViewer* viewer =
        HelpViewer::open(folder.path(), QStringLiteral("comm-port.html#aliases"), &owner);
    EXPECT_EQ(shownFile(viewer), QStringLiteral("comm-port.html"));
    EXPECT_EQ(browser(viewer)->source().fragment(), QStringLiteral("aliases"));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("VORNA7 Help - Comm Port Settings"));

    browser(viewer)->setSource(QUrl(QStringLiteral("link-messages.html")));
    EXPECT_EQ(shownFile(viewer), QStringLiteral("link-messages.html")) << "relative links resolve";
    ProgramTestFolder::click(viewer, QStringLiteral("cmdContents"));
    EXPECT_EQ(shownFile(viewer), QStringLiteral("VORNA7.html"));

    ProgramTestFolder::click(viewer, QStringLiteral("cmdBack"));
    EXPECT_EQ(shownFile(viewer), QStringLiteral("link-messages.html"));
    ProgramTestFolder::click(viewer, QStringLiteral("cmdBack"));
    EXPECT_EQ(shownFile(viewer), QStringLiteral("comm-port.html"));
    EXPECT_FALSE(enabled(viewer, QStringLiteral("cmdBack")));
    EXPECT_TRUE(enabled(viewer, QStringLiteral("cmdForward")));
    ProgramTestFolder::click(viewer, QStringLiteral("cmdForward"));
    EXPECT_EQ(shownFile(viewer), QStringLiteral("link-messages.html"));
    EXPECT_TRUE(enabled(viewer, QStringLiteral("cmdBack")));
}

TEST_F(HelpViewerTest, AMissingPageSaysWhichFileIsMissing) {
    QTemporaryDir empty;
    HelpViewer viewer(empty.path());
    viewer.showContents();
    const QString text = browser(&viewer)->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Help page not found"))) << text.toStdString();
    EXPECT_TRUE(text.contains(
        QDir::toNativeSeparators(empty.filePath(QStringLiteral("Help/VORNA7.html")))));
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("VORNA7 Help"));
}
