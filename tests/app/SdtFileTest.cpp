#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <csignal>

#include "QStringPrinter.h"
#include "SdtFile.h"
#include "SetupTables.h"
#include "TempFolder.h"

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

QDir corpusFolder() {
    return QDir(QStringLiteral(VORNA7_SOURCE_DIR "/tests/app/sdt-corpus"));
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The default file as the first release wrote it, kept beside the fuzzer's inputs.
QByteArray golden() {
    return contents(corpusFolder().filePath(QStringLiteral("defaults.sdt")));
}

SetupData defaults() {
    return SetupTables::defaultData(QStringLiteral("VORNA7_R1.0.0"));
}

// Whatever the bytes, decoding either refuses them with a reason or gives a record that
// encodes back to exactly the bytes it was read from.
void expectRefusedOrRoundTrips(const QByteArray& bytes) {
    const SdtFile::Decoded decoded = SdtFile::decode(bytes);
    if (!decoded.data) {
        EXPECT_FALSE(decoded.error.isEmpty());
        return;
    }
    ASSERT_GT(decoded.consumed, 0);
    ASSERT_LE(decoded.consumed, bytes.size());
    EXPECT_EQ(SdtFile::encode(*decoded.data).bytes.toHex(' '),
              bytes.left(decoded.consumed).toHex(' '));
}

QByteArray patched(QByteArray bytes, qsizetype at, const char* hex) {
    const QByteArray with = QByteArray::fromHex(hex);
    return bytes.replace(at, with.size(), with);
}

TEST(SdtFile, FilesConvertBothWaysOrAreRefusedWithTheirReason) {
    const QByteArray g = golden();
    ASSERT_EQ(g.size(), 437);
    EXPECT_EQ(SdtFile::encode(defaults()).bytes.toHex(' '), g.toHex(' '));
    const SdtFile::Decoded decoded = SdtFile::decode(g + "trailing bytes are ignored");
    ASSERT_TRUE(decoded.data) << decoded.error.toStdString();
    EXPECT_EQ(*decoded.data, defaults());
    EXPECT_EQ(decoded.consumed, g.size());

    constexpr qsizetype addresses = 15;                // the table descriptor after the tag
    constexpr qsizetype firstAddress = addresses + 10; // its first text
    const qsizetype values = g.size() - 56 - 128 - 10;
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"empty", QByteArray(), "The file is empty."},
        {"one byte", g.left(1), "The file ends inside the version tag."},
        {"tag longer than file", patched(g, 0, "ffff"), "The file ends inside the version tag."},
        {"cut in address descriptor", g.left(addresses + 5),
         "The file ends inside the address table."},
        {"two dimensions", patched(g, addresses, "0200"),
         "The address table has 2 dimensions; a set-up file has 1."},
        {"no dimensions", patched(g, addresses, "0000"),
         "The address table has 0 dimensions; a set-up file has 1."},
        {"lower bound 1", patched(g, addresses + 6, "01000000"),
         "The address table starts at index 1; a set-up file starts at 0."},
        {"absurd address count", patched(g, addresses + 2, "ffffff7f"),
         "The address table claims 2147483647 elements, more than the file holds."},
        {"negative address count", patched(g, addresses + 2, "ffffffff"),
         "The address table claims a negative number of elements (-1)."},
        {"address length past the end", patched(g, firstAddress, "ff7f"),
         "The file ends inside the address table."},
        {"cut in an address", g.left(firstAddress + 4),
         "The address table claims 32 elements, more than the file holds."},
        {"cut in value descriptor", g.left(values + 9), "The file ends inside the value table."},
        // 33 values need 132 bytes; with the PLS data cut away only 128 remain.
        {"value count one too many", patched(g, values + 2, "21000000").left(values + 10 + 128),
         "The value table claims 33 elements, more than the file holds."},
        {"cut in PLS data", g.left(g.size() - 1), "The file ends inside the PLS data."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SdtFile::Decoded decoded = SdtFile::decode(c.bytes);
        EXPECT_FALSE(decoded.data);
        EXPECT_EQ(decoded.error, QLatin1String(c.reason));
    }

    // The inputs the fuzzer of the reader kept (scripts/fuzz-sdt.sh), with its starting files.
    // Files of 20 and 40 entries are read whole where the set-up file commands open them.
    const QStringList names = corpusFolder().entryList(QDir::Files, QDir::Name);
    ASSERT_GT(names.size(), 20) << qPrintable(corpusFolder().path());
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        expectRefusedOrRoundTrips(contents(corpusFolder().filePath(name)));
    }

    // Negative and extreme values round-trip; overlong text is refused, not cut.
    SetupData data = defaults();
    data.Version = QStringLiteral("Ver\xe4");
    data.ParamValue[9] = -2147483647 - 1;
    data.ParamValue[10] = 2147483647;
    data.PLSScale = -32768;
    data.ResolverOffset = 32767;
    data.PLSProgram = 5;
    data.SpeedComp = {1, -2, 3, -4, 5, -6, 7, -8};
    data.ChanSetpoint[7][1] = -1;
    data.ParamAdd[3] = QString();
    const SdtFile::Decoded extreme = SdtFile::decode(SdtFile::encode(data).bytes);
    ASSERT_TRUE(extreme.data);
    EXPECT_EQ(*extreme.data, data);

    // Overlong text is refused, not cut.
    data.ParamAdd[0] = QString(70000, QLatin1Char('W'));
    const SdtFile::Encoded encoded = SdtFile::encode(data);
    EXPECT_TRUE(encoded.bytes.isEmpty());
    EXPECT_EQ(encoded.error, "A parameter address is too long for a set-up file.");
}

class SdtFolder : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    void put(const char* name, const QByteArray& bytes) const {
        ASSERT_TRUE(dir.write(QLatin1String(name), bytes));
    }
    TempFolder dir;
};

TEST_F(SdtFolder, WriteThenReadGivesTheSameRecordAndFailedWritesLeaveNothingBehind) {
    put("line1.sdt", QByteArray(2000, 'x')); // longer old file
    ASSERT_EQ(SdtFile::write(path("line1.sdt"), defaults()), QString());
    EXPECT_EQ(contents(path("line1.sdt")), golden());
    const SdtFile::Decoded read = SdtFile::read(path("line1.sdt"));
    ASSERT_TRUE(read.data);
    EXPECT_EQ(*read.data, defaults());

    // Over a folder of that name, or into a folder that does not exist: nothing is left behind.
    const QString error = SdtFile::write(path("no/such/folder/a.sdt"), defaults());
    EXPECT_GT(error.size(), error.indexOf(QLatin1String("\r\n")) + 2) << "a reason follows";
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.sdt")));
    EXPECT_FALSE(SdtFile::write(path("taken.sdt"), defaults()).isEmpty());
    EXPECT_TRUE(QFileInfo(path("taken.sdt")).isDir());
    EXPECT_EQ(entries(), QStringList({"line1.sdt", "taken.sdt"}));
    EXPECT_TRUE(SdtFile::read(path("none.sdt"))
                    .error.startsWith(QStringLiteral("The set-up data file \"") +
                                      QDir::toNativeSeparators(path("none.sdt")) +
                                      QStringLiteral("\" could not be read:\r\n")));

#ifdef Q_OS_UNIX
    // A write that fails half-way (the process may not grow files beyond 64 bytes) leaves the
    // old file whole and no temporary file beside it.
    const QByteArray old = QByteArray("old set-up data, 40 bytes long.........");
    put("keep.sdt", old);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString halfWay = SdtFile::write(path("keep.sdt"), defaults());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_TRUE(halfWay.contains(QStringLiteral("could not be written:\r\n")));
    EXPECT_EQ(contents(path("keep.sdt")), old);
    EXPECT_EQ(entries(), QStringList({"keep.sdt", "line1.sdt", "taken.sdt"}));
#endif
}

} // namespace
