#include <gtest/gtest.h>

#include "QtFileDialogs.h"

TEST(QtFileDialogs, FiltersBecomeNameFiltersAndTheStartFollowsTheName) {
    struct Case {
        const char* filter;
        QStringList expected;
    } cases[] = {
        {"Setup Files(*.sdt)|*.sdt|", {"Setup Files(*.sdt)"}},
        {"Program Files|*.tkp|All|*.*", {"Program Files (*.tkp)", "All (*.*)"}},
        {"", {}},
        {"|", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtFileDialogs::nameFilters(QLatin1String(c.filter)), c.expected) << c.filter;

    // A wildcard name lists its folder; a plain name is proposed.
    const QtFileDialogs::Start listing = QtFileDialogs::startFor(QStringLiteral("/opt/v7/*.sdt"));
    EXPECT_EQ(listing.folder, QStringLiteral("/opt/v7"));
    EXPECT_TRUE(listing.file.isEmpty());

    const QtFileDialogs::Start named =
        QtFileDialogs::startFor(QStringLiteral("/data/jobs/LINE1.sdt"));
    EXPECT_EQ(named.folder, QStringLiteral("/data/jobs"));
    EXPECT_EQ(named.file, QStringLiteral("LINE1.sdt"));

    const QtFileDialogs::Start none = QtFileDialogs::startFor(QString());
    EXPECT_TRUE(none.folder.isEmpty());
    EXPECT_TRUE(none.file.isEmpty());
}
