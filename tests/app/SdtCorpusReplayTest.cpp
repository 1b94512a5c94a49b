#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "SdtFile.h"

namespace {

// The inputs the fuzzer of the set-up file reader kept (scripts/fuzz-sdt.sh), replayed with
// the property it checks: every input is refused with a reason, or decodes to a record that
// encodes back to exactly the bytes it was read from and decodes again to the same record.
QDir corpusFolder() {
    return QDir(QStringLiteral(VORNA7_SOURCE_DIR "/tests/app/sdt-corpus"));
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SdtCorpusReplay, EveryKeptInputIsRefusedOrRoundTrips) {
    const QDir folder = corpusFolder();
    const QStringList names = folder.entryList(QDir::Files, QDir::Name);
    // The fuzzer keeps the three valid starting files, so a missing or thinned-out folder
    // shows here instead of as a test that checks nothing.
    ASSERT_TRUE(names.contains(QStringLiteral("defaults.sdt"))) << qPrintable(folder.path());
    ASSERT_TRUE(names.contains(QStringLiteral("elements-20.sdt")));
    ASSERT_TRUE(names.contains(QStringLiteral("elements-40.sdt")));

    int accepted = 0;
    int refused = 0;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = contents(folder.filePath(name));
        const SdtFile::Decoded decoded = SdtFile::decode(bytes);
        if (!decoded.data) {
            ++refused;
            EXPECT_FALSE(decoded.error.isEmpty());
            continue;
        }
        ++accepted;
        ASSERT_GT(decoded.consumed, 0);
        ASSERT_LE(decoded.consumed, bytes.size());
        const SdtFile::Encoded again = SdtFile::encode(*decoded.data);
        EXPECT_EQ(again.error, QString());
        EXPECT_EQ(again.bytes.toHex(' '), bytes.left(decoded.consumed).toHex(' '));
        const SdtFile::Decoded twice = SdtFile::decode(again.bytes);
        ASSERT_TRUE(twice.data) << twice.error.toStdString();
        EXPECT_EQ(*twice.data, *decoded.data);
        EXPECT_EQ(twice.consumed, again.bytes.size());
    }
    EXPECT_GE(accepted, 3);
    EXPECT_GT(refused, 0);
}

TEST(SdtCorpusReplay, StartingFilesHoldTheirElementCounts) {
    const QDir folder = corpusFolder();
    const struct {
        const char* name;
        std::size_t elements;
    } files[] = {{"defaults.sdt", 32}, {"elements-20.sdt", 20}, {"elements-40.sdt", 40}};
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const SdtFile::Decoded decoded =
            SdtFile::decode(contents(folder.filePath(QLatin1String(file.name))));
        ASSERT_TRUE(decoded.data) << decoded.error.toStdString();
        EXPECT_EQ(decoded.data->ParamAdd.size(), file.elements);
        EXPECT_EQ(decoded.data->ParamValue.size(), file.elements);
    }
}

} // namespace
