#include <QTextBrowser>

#include "HelpPages.h"
#include "HelpViewer.h"
#include "ProgramTestFolder.h"

using namespace ProgramTestFolder;

namespace {

QTextBrowser* browser(HelpViewer* viewer) {
    return child<QTextBrowser>(viewer, QStringLiteral("brwHelp"));
}
QString shown(HelpViewer* viewer) {
    return browser(viewer)->source().fileName();
}
QString backForward(HelpViewer* viewer) {
    return QStringLiteral("%1%2")
        .arg(child<QPushButton>(viewer, QStringLiteral("cmdBack"))->isEnabled())
        .arg(child<QPushButton>(viewer, QStringLiteral("cmdForward"))->isEnabled());
}

} // namespace

// Help Topics and a window's own page open in the one viewer of the owner; Contents, Back and
// Forward move through the pages seen.
TEST(HelpViewerTest, OneViewerPerOwnerMovesThroughThePagesSeenAndNamesAMissingPage) {
    QTemporaryDir folder;
    QWidget owner;
    installHelp(folder.path());
    HelpViewer* viewer = HelpViewer::openContents(folder.path(), &owner);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(shown(viewer), "VORNA7.html");
    EXPECT_EQ(viewer->windowTitle(), "VORNA7 Help - VORNA7 Help");
    EXPECT_TRUE(browser(viewer)->toPlainText().contains("Machine windows"));
    EXPECT_EQ(backForward(viewer), "00");

    EXPECT_EQ(HelpViewer::open(folder.path(), "comm-port.html#aliases", &owner), viewer);
    EXPECT_EQ(owner.findChildren<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    EXPECT_EQ(shown(viewer), "comm-port.html");
    EXPECT_EQ(browser(viewer)->source().fragment(), "aliases");
    EXPECT_EQ(viewer->windowTitle(), "VORNA7 Help - Comm Port Settings");

    browser(viewer)->setSource(QUrl(QStringLiteral("link-messages.html")));
    EXPECT_EQ(shown(viewer), "link-messages.html") << "relative links resolve";
    click(viewer, QStringLiteral("cmdContents"));
    EXPECT_EQ(shown(viewer), "VORNA7.html");
    click(viewer, QStringLiteral("cmdBack"));
    click(viewer, QStringLiteral("cmdBack"));
    click(viewer, QStringLiteral("cmdBack"));
    EXPECT_EQ(shown(viewer), "VORNA7.html");
    EXPECT_EQ(backForward(viewer), "01");
    click(viewer, QStringLiteral("cmdForward"));
    EXPECT_EQ(shown(viewer), "comm-port.html");
    EXPECT_EQ(backForward(viewer), "11");

    // A missing page says which file is missing.
    QTemporaryDir empty;
    HelpViewer missing(empty.path());
    missing.showContents();
    const QString text = browser(&missing)->toPlainText();
    EXPECT_TRUE(text.startsWith("Help page not found")) << text.toStdString();
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(empty.filePath("Help/VORNA7.html"))));
    EXPECT_EQ(missing.windowTitle(), "VORNA7 Help");
}
