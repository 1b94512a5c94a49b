#include <QPushButton>
#include <QTest>
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

    template <typename T> static T* control(HelpViewer* viewer, const char* name) {
        T* widget = viewer->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static QTextBrowser* browser(HelpViewer* viewer) {
        return control<QTextBrowser>(viewer, "brwHelp");
    }
    static QString shownFile(HelpViewer* viewer) { return browser(viewer)->source().fileName(); }
    static void press(HelpViewer* viewer, const char* button) {
        QTest::mouseClick(control<QPushButton>(viewer, button), Qt::LeftButton);
    }
};

} // namespace

TEST_F(HelpViewerTest, HelpTopicsOpensTheContents) {
    HelpViewer* viewer = HelpViewer::openContents(folder.path(), &owner);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(shownFile(viewer), QStringLiteral("VORNA7.html"));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("VORNA7 Help - VORNA7 Help"));
    EXPECT_TRUE(browser(viewer)->toPlainText().contains(QStringLiteral("Machine windows")));
    EXPECT_FALSE(control<QPushButton>(viewer, "cmdBack")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(viewer, "cmdForward")->isEnabled());
}

TEST_F(HelpViewerTest, ContentsBackAndForwardMoveThroughThePagesSeen) {
    HelpViewer* viewer =
        HelpViewer::open(folder.path(), QStringLiteral("comm-port.html#aliases"), &owner);
    EXPECT_EQ(shownFile(viewer), QStringLiteral("comm-port.html"));
    EXPECT_EQ(browser(viewer)->source().fragment(), QStringLiteral("aliases"));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("VORNA7 Help - Comm Port Settings"));

    browser(viewer)->setSource(QUrl(QStringLiteral("link-messages.html")));
    EXPECT_EQ(shownFile(viewer), QStringLiteral("link-messages.html")) << "relative links resolve";
    press(viewer, "cmdContents");
    EXPECT_EQ(shownFile(viewer), QStringLiteral("VORNA7.html"));

    press(viewer, "cmdBack");
    EXPECT_EQ(shownFile(viewer), QStringLiteral("link-messages.html"));
    press(viewer, "cmdBack");
    EXPECT_EQ(shownFile(viewer), QStringLiteral("comm-port.html"));
    EXPECT_FALSE(control<QPushButton>(viewer, "cmdBack")->isEnabled());
    EXPECT_TRUE(control<QPushButton>(viewer, "cmdForward")->isEnabled());
    press(viewer, "cmdForward");
    EXPECT_EQ(shownFile(viewer), QStringLiteral("link-messages.html"));
    EXPECT_TRUE(control<QPushButton>(viewer, "cmdBack")->isEnabled());
}

TEST_F(HelpViewerTest, OneViewerPerOwnerShowsEachRequestedPage) {
    HelpViewer* first =
        HelpViewer::open(folder.path(), QStringLiteral("main-display.html"), &owner);
    HelpViewer* second =
        HelpViewer::open(folder.path(), HelpPages::pageFor(QStringLiteral("frmBMTmg")), &owner);
    EXPECT_EQ(first, second);
    EXPECT_EQ(shownFile(second), QStringLiteral("machine-timing.html"));
    EXPECT_EQ(owner.findChildren<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
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
