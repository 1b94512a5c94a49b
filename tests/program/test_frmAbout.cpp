#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>

#include "ProgramTestFolder.h"
#include "QStringPrinter.h"
#include "TempFolder.h"
#include "frmAbout.h"
#include "frmSystemInfo.h"

namespace {

QString shownText(const QWidget* window) {
    return child<QPlainTextEdit>(window, QStringLiteral("txtSysInfo"))->toPlainText();
}

QString projectVersion() {
    QFile file(ProgramTestFolder::sourceRoot() + QStringLiteral("/CMakeLists.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral(R"(project\(VORNA7 VERSION (\d+\.\d+\.\d+))"))
            .match(QString::fromUtf8(file.readAll()));
    return match.captured(1);
}

class AboutBoxTest : public ::testing::Test {
protected:
    TempFolder folder;
    QWidget owner;
    frmAbout* showBox() {
        return frmAbout::showModeless(AppLayout::forFolder(folder.path()), &owner);
    }
};

} // namespace

TEST_F(AboutBoxTest, ShowsTheVersionModelessOncePerOwnerAndOpensTheSystemInformation) {
    owner.show();
    frmAbout* box = showBox();
    ASSERT_NE(box, nullptr);
    // The version is the project's, read from CMakeLists.txt rather than from the code.
    const QString version = projectVersion();
    ASSERT_FALSE(version.isEmpty());
    EXPECT_EQ(child<QLabel>(box, "lblVersion")->text(), "Version " + version);
    EXPECT_FALSE(child<QLabel>(box, "picIcon")->pixmap().isNull());
    EXPECT_EQ(ProgramTestFolder::captionsMissingFrom(box, "help-menu.html"), QStringList());
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(showBox(), box) << "the open box is brought forward";

    QPointer<frmAbout> watch(box);
    click(box, QStringLiteral("cmdOK"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull()) << "closing releases the box";
    EXPECT_NE(showBox(), nullptr);

    // System Information opens the program's own window, which outlives the box.
    ASSERT_TRUE(folder.write("Support/RSPort.cfg", "6,19200\r\n"));
    box = showBox();
    click(box, QStringLiteral("cmdSysInfo"));
    auto* window = owner.findChild<frmSystemInfo*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "VORNA7 System Information");
    const QString text = shownText(window);
    EXPECT_TRUE(text.contains("In use: port 6 at 19200 baud (19200,n,8,1)")) << text.toStdString();

    QPointer<frmSystemInfo> watchInfo(window);
    box->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(watchInfo.isNull());

    // A second press refreshes the same window with what the file says now.
    ASSERT_TRUE(folder.write("Support/RSPort.cfg", "8,9600\r\n"));
    box = showBox();
    box->StartSysInfo();
    EXPECT_EQ(owner.findChildren<frmSystemInfo*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    EXPECT_TRUE(shownText(window).contains("In use: port 8 at 9600 baud"));

    // And what it shows can be copied.
    click(window, QStringLiteral("cmdCopy"));
    EXPECT_EQ(QApplication::clipboard()->text(), shownText(window));
}
