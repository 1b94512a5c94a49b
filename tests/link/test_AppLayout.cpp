#include <QDir>
#include <gtest/gtest.h>

#include "AppLayout.h"
#include "TempFolder.h"

namespace {

class AppLayoutTest : public ::testing::Test {
protected:
    TempFolder root;
    QString config = root.filePath(QStringLiteral("home/.config"));
    QString userSettings = QStringLiteral("home/.config/vorna7/Support/RSPort.cfg");

    void SetUp() override {
        ASSERT_TRUE(root.makeFolder(QStringLiteral("usr/bin")));
        ASSERT_TRUE(
            root.write(QStringLiteral("usr/share/vorna7/Support/RSPort.cfg"), "1,9600\r\n"));
    }
    AppLayout installed() const {
        return AppLayout::forProgramFolder(root.filePath(QStringLiteral("usr/bin")), config);
    }
};

TEST_F(AppLayoutTest, AProgramFolderHoldingSupportInAnyCaseIsPortableAndWritesNothingElse) {
    for (const char* name : {"Support", "support"}) {
        TempFolder portable;
        ASSERT_TRUE(portable.makeFolder(QString::fromLatin1(name)));
        const AppLayout layout = AppLayout::forProgramFolder(portable.path(), config);
        EXPECT_FALSE(layout.isInstalled()) << name;
        EXPECT_EQ(layout.applicationFolder(), portable.path()) << name;
        EXPECT_EQ(layout.shippedFolder(), portable.path()) << name;
        EXPECT_EQ(layout.prepare(), QString()) << name;
        EXPECT_FALSE(root.exists(QStringLiteral("home"))) << name;
    }
}

// Installed, the program reads beside bin and writes to the user's configuration.
TEST_F(AppLayoutTest, FirstUseSeedsTheSettingsAndLaterUseKeepsTheUsersChoice) {
    EXPECT_TRUE(installed().isInstalled());
    EXPECT_EQ(installed().applicationFolder(),
              root.filePath(QStringLiteral("home/.config/vorna7")));
    EXPECT_EQ(installed().shippedFolder(), root.filePath(QStringLiteral("usr/share/vorna7")));
    EXPECT_EQ(installed().prepare(), QString());
    EXPECT_EQ(root.read(userSettings), QByteArray("1,9600\r\n"));
    ASSERT_TRUE(root.write(userSettings, "3,19200\r\n"));
    EXPECT_EQ(installed().prepare(), QString());
    EXPECT_EQ(root.read(userSettings), QByteArray("3,19200\r\n"));
    EXPECT_EQ(QDir(root.filePath(QStringLiteral("home/.config/vorna7/Support")))
                  .entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("RSPort.cfg")})
        << "no temporary file left behind";
}

TEST_F(AppLayoutTest, AFolderThatCannotBeMadeIsReportedWithItsPath) {
    ASSERT_TRUE(root.write(QStringLiteral("home/.config/vorna7"), "a file in the way"));
    EXPECT_TRUE(installed().prepare().startsWith(
        root.filePath(QStringLiteral("home/.config/vorna7/Support"))));
}

} // namespace
