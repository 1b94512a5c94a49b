#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "PortAlias.h"

namespace fs = std::filesystem;
using sim::PortAlias;

namespace {

class AliasFolder : public testing::Test {
protected:
    fs::path app() const { return fs::path(dir.path().toStdString()); }

    QTemporaryDir dir;
    std::string error;
};

} // namespace

TEST_F(AliasFolder, FindsTheSupportFolderWhateverItsCase) {
    for (const char* name : {"SUPPORT", "support", "SuPPort"}) {
        QTemporaryDir other;
        const fs::path app = other.path().toStdString();
        fs::create_directory(app / name);
        EXPECT_EQ(PortAlias::supportFolder(app), app / name) << name;
    }
}

TEST_F(AliasFolder, CreatesTheSupportFolderWhenMissingAndRemovesItsOwnLink) {
    PortAlias alias;
    ASSERT_TRUE(alias.point(app(), 12, "/dev/null", error)) << error;
    EXPECT_EQ(alias.path(), app() / "Support" / "COM12");
    EXPECT_EQ(fs::read_symlink(alias.path()), "/dev/null");
    alias.remove();
    EXPECT_FALSE(fs::is_symlink(app() / "Support" / "COM12"));
}

TEST_F(AliasFolder, ReplacesAStaleLinkAndLeavesNoTemporary) {
    fs::create_directory(app() / "support");
    fs::create_symlink("/dev/gone", app() / "support" / "COM1");
    PortAlias alias;
    ASSERT_TRUE(alias.point(app(), 1, "/dev/zero", error)) << error;
    EXPECT_EQ(fs::read_symlink(app() / "support" / "COM1"), "/dev/zero");
    EXPECT_EQ(std::distance(fs::directory_iterator(app() / "support"), fs::directory_iterator()),
              1);
    EXPECT_FALSE(fs::exists(app() / "Support"));
}

TEST_F(AliasFolder, RefusesToReplaceAFile) {
    fs::create_directory(app() / "Support");
    std::ofstream(app() / "Support" / "COM1") << "keep";
    PortAlias alias;
    EXPECT_FALSE(alias.point(app(), 1, "/dev/zero", error));
    EXPECT_NE(error.find("COM1 exists and is not a link"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_regular_file(app() / "Support" / "COM1"));
}

TEST_F(AliasFolder, LeavesALinkThatIsNoLongerItsOwn) {
    PortAlias older;
    PortAlias newer;
    ASSERT_TRUE(older.point(app(), 1, "/dev/zero", error));
    ASSERT_TRUE(newer.point(app(), 1, "/dev/null", error));
    older.remove();
    EXPECT_EQ(fs::read_symlink(app() / "Support" / "COM1"), "/dev/null");
}
