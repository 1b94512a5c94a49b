#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "PathUtility.h"
#include "TempFolder.h"

TEST(PathUtility, TekoraFileTypeFromTheProjectFileBesideFoundByChangingTheExtension) {
    TempFolder dir;
    const struct {
        const char* projectName;
        QByteArray contents;
        int code; // -1: refused
    } cases[] = {
        {"a.TKP", "A,1,2\r\n", 65},
        {"b.tkp", "\"B51\",x\r\n", 66},
        {"c.Tkp", "  C96 , y", 67},
        {"d.TKP", "", 68},
        {"e.TKP", QByteArray("\xc4X", 2), 196},
        {"f.TKP", ",A\r\n", -1},
        {"g.TKP", "\r\nA\r\n", -1},
        {"h.TKP", "\"\",A", -1},
    };
    for (const auto& c : cases) {
        const QString project = dir.filePath(QLatin1String(c.projectName));
        ASSERT_TRUE(dir.write(QLatin1String(c.projectName), c.contents));
        const QString program = dir.filePath(
            QFileInfo(QLatin1String(c.projectName)).completeBaseName() + QStringLiteral(".hex"));
        QString error;
        const std::optional<std::int16_t> type = PathUtility::TekoraFileType(program, &error);
        if (c.code < 0) {
            EXPECT_FALSE(type) << c.projectName;
            EXPECT_EQ(error, QStringLiteral("The project file \"") +
                                 QDir::toNativeSeparators(project) +
                                 "\" does not begin with a board type.");
        } else {
            EXPECT_EQ(type, std::int16_t(c.code)) << c.projectName;
        }
    }
    EXPECT_EQ(PathUtility::TekoraFileType(dir.filePath("none.hex")), std::int16_t{68});

    // ChangeFileExt replaces the extension of the absolute path.
    EXPECT_EQ(PathUtility::ChangeFileExt("/jobs/Line1.abc", "rev"), "/jobs/Line1.rev");
    EXPECT_EQ(PathUtility::ChangeFileExt("/jobs/a.b.tkp", "hex"), "/jobs/a.b.hex");
    EXPECT_EQ(PathUtility::ChangeFileExt("/jobs/plain", "rev"), "/jobs/plain.rev");
    EXPECT_EQ(PathUtility::ChangeFileExt("sub/x.tkp", "rev"),
              QDir::currentPath() + QStringLiteral("/sub/x.rev"));
}
