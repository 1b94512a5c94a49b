#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <random>

#include "AppContext.h"
#include "ScriptedPrompter.h"
#include "SdtFile.h"
#include "SetupTables.h"

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

// Built by hand from the parameter table, independently of the encoder.
QByteArray goldenDefaults(const QByteArray& version) {
    const char* addresses[32] = {"W1022", "W1024",   "W1030", "W1032", "W1036", "W1038", "W1026",
                                 "W1028", "B1020.0", "D1100", "W1104", "D1200", "W1204", "W1040",
                                 "W1042", "W1110",   "W1130", "W1132", "W1134", "W1126", "B1128",
                                 "W1120", "W1122",   "W614",  "W610",  "W612",  "W82",   "W1104",
                                 "W80",   "W1102",   "W1108", "W614"};
    const int values[32] = {0,   350, 2,  20, 375, 250, 175, 350, 1, 0, 0, 0, 0, 0, 0, 1950,
                            100, 500, 50, 15, 0,   100, 25,  0,   0, 0, 0, 0, 0, 0, 0, 0};
    QByteArray out;
    auto u16 = [&](int v) {
        out.append(char(v & 0xFF));
        out.append(char((v >> 8) & 0xFF));
    };
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.append(char((v >> (8 * i)) & 0xFF));
    };
    u16(version.size());
    out.append(version);
    out.append(QByteArray::fromHex("01002000000000000000"));
    for (const char* a : addresses) {
        u16(int(qstrlen(a)));
        out.append(a);
    }
    out.append(QByteArray::fromHex("01002000000000000000"));
    for (int v : values)
        u32(std::uint32_t(v));
    for (int v : {8, 360, 0, 0})
        u16(v);
    for (int i = 0; i < 8; ++i)
        u16(0);
    for (int v : {150, 200, 155, 110, 150, 150, 120, 180, 170, 220, 175, 130, 350, 200, 190, 0})
        u16(v);
    return out;
}

SetupData defaults() {
    return SetupTables::defaultData(QStringLiteral("VORNA7_R1.0.0"));
}

TEST(SdtFile, DefaultsAndTheGoldenImageConvertBothWays) {
    const QByteArray golden = goldenDefaults("VORNA7_R1.0.0");
    EXPECT_EQ(SdtFile::encode(defaults()).bytes.toHex(' '), golden.toHex(' '));
    const SdtFile::Decoded decoded = SdtFile::decode(golden + "trailing bytes are ignored");
    ASSERT_TRUE(decoded.data) << decoded.error.toStdString();
    EXPECT_EQ(*decoded.data, defaults());
    EXPECT_EQ(decoded.consumed, golden.size());
}

TEST(SdtFile, NegativeAndExtremeValuesRoundTrip) {
    SetupData data = defaults();
    data.Version = QStringLiteral("Ver\xe4");
    data.ParamValue[9] = -2147483647 - 1;
    data.ParamValue[10] = 2147483647;
    data.PLSScale = -32768;
    data.ResolverOffset = 32767;
    data.SpeedComp = {1, -2, 3, -4, 5, -6, 7, -8};
    data.ChanSetpoint[7][1] = -1;
    data.ParamAdd[3] = QString();
    const SdtFile::Decoded decoded = SdtFile::decode(SdtFile::encode(data).bytes);
    ASSERT_TRUE(decoded.data);
    EXPECT_EQ(*decoded.data, data);
}

TEST(SdtFile, OverlongTextIsRefusedNotCut) {
    SetupData data = defaults();
    data.ParamAdd[0] = QString(70000, QLatin1Char('W'));
    const SdtFile::Encoded encoded = SdtFile::encode(data);
    EXPECT_TRUE(encoded.bytes.isEmpty());
    EXPECT_EQ(encoded.error, QStringLiteral("A parameter address is too long for a set-up file."));
}

struct Corruption {
    const char* name;
    std::function<QByteArray(QByteArray)> apply;
    const char* reason;
};

QByteArray patched(QByteArray bytes, qsizetype at, const QByteArray& with) {
    bytes.replace(at, with.size(), with);
    return bytes;
}

// Offsets in the golden image of the 13-character tag.
constexpr qsizetype kAddressDescriptor = 15;
constexpr qsizetype kFirstAddress = kAddressDescriptor + 10;
qsizetype valueDescriptor(const QByteArray& golden) {
    return golden.size() - 56 - 128 - 10;
}

const std::vector<Corruption>& corruptions() {
    static const std::vector<Corruption> table = {
        {"empty", [](QByteArray) { return QByteArray(); }, "The file is empty."},
        {"one byte", [](QByteArray b) { return b.left(1); },
         "The file ends inside the version tag."},
        {"tag longer than file",
         [](QByteArray b) { return patched(b, 0, QByteArray::fromHex("ffff")); },
         "The file ends inside the version tag."},
        {"cut in address descriptor", [](QByteArray b) { return b.left(kAddressDescriptor + 5); },
         "The file ends inside the address table."},
        {"two dimensions",
         [](QByteArray b) { return patched(b, kAddressDescriptor, QByteArray::fromHex("0200")); },
         "The address table has 2 dimensions; a set-up file has 1."},
        {"no dimensions",
         [](QByteArray b) { return patched(b, kAddressDescriptor, QByteArray::fromHex("0000")); },
         "The address table has 0 dimensions; a set-up file has 1."},
        {"lower bound 1",
         [](QByteArray b) {
             return patched(b, kAddressDescriptor + 6, QByteArray::fromHex("01000000"));
         },
         "The address table starts at index 1; a set-up file starts at 0."},
        {"absurd address count",
         [](QByteArray b) {
             return patched(b, kAddressDescriptor + 2, QByteArray::fromHex("ffffff7f"));
         },
         "The address table claims 2147483647 elements, more than the file holds."},
        {"negative address count",
         [](QByteArray b) {
             return patched(b, kAddressDescriptor + 2, QByteArray::fromHex("ffffffff"));
         },
         "The address table claims a negative number of elements (-1)."},
        {"address length past the end",
         [](QByteArray b) { return patched(b, kFirstAddress, QByteArray::fromHex("ff7f")); },
         "The file ends inside the address table."},
        // A cut anywhere in a table leaves fewer bytes than its count needs.
        {"cut in an address", [](QByteArray b) { return b.left(kFirstAddress + 4); },
         "The address table claims 32 elements, more than the file holds."},
        {"cut in value descriptor", [](QByteArray b) { return b.left(valueDescriptor(b) + 9); },
         "The file ends inside the value table."},
        {"absurd value count",
         [](QByteArray b) {
             return patched(b, valueDescriptor(b) + 2, QByteArray::fromHex("00000010"));
         },
         "The value table claims 268435456 elements, more than the file holds."},
        {"value count one too many",
         [](QByteArray b) {
             // 33 values need 132 bytes; with the PLS data cut away only 128 remain.
             return patched(b, valueDescriptor(b) + 2, QByteArray::fromHex("21000000"))
                 .left(valueDescriptor(b) + 10 + 128);
         },
         "The value table claims 33 elements, more than the file holds."},
        {"cut in PLS data", [](QByteArray b) { return b.left(b.size() - 1); },
         "The file ends inside the PLS data."},
    };
    return table;
}

TEST(SdtFile, MalformedRecordsAreRefusedWithTheirReason) {
    const QByteArray golden = goldenDefaults("VORNA7_R1.0.0");
    for (const Corruption& c : corruptions()) {
        const SdtFile::Decoded decoded = SdtFile::decode(c.apply(golden));
        EXPECT_FALSE(decoded.data) << c.name;
        EXPECT_EQ(decoded.error, QLatin1String(c.reason)) << c.name;
    }
}

// Whatever the bytes, decoding either refuses them or gives a record that encodes back to
// exactly the bytes it was read from (sanitizer builds also catch any read past the end).
TEST(SdtFile, SurvivesRandomDamage) {
    const QByteArray golden = goldenDefaults("VORNA7_R1.0.0");
    std::mt19937 random(20240314);
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        QByteArray bytes = golden;
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
            const qsizetype at = qsizetype(random() % std::uint32_t(bytes.size()));
            switch (random() % 3) {
            case 0:
                bytes[at] = char(random() & 0xFF);
                break;
            case 1:
                bytes.truncate(at);
                break;
            default:
                bytes.insert(at, char(random() & 0xFF));
                break;
            }
        }
        const SdtFile::Decoded decoded = SdtFile::decode(bytes);
        if (!decoded.data) {
            EXPECT_FALSE(decoded.error.isEmpty());
            continue;
        }
        ++accepted;
        const QByteArray again = SdtFile::encode(*decoded.data).bytes;
        EXPECT_EQ(again, bytes.left(decoded.consumed)) << "round " << round;
    }
    EXPECT_GT(accepted, 0);
}

class Folder : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QByteArray contents(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void put(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    QTemporaryDir dir;
};

TEST_F(Folder, WriteThenReadGivesTheSameRecord) {
    put(QStringLiteral("line1.sdt"), QByteArray(2000, 'x')); // longer old file
    ASSERT_EQ(SdtFile::write(path(QStringLiteral("line1.sdt")), defaults()), QString());
    EXPECT_EQ(contents(QStringLiteral("line1.sdt")), goldenDefaults("VORNA7_R1.0.0"));
    const SdtFile::Decoded read = SdtFile::read(path(QStringLiteral("line1.sdt")));
    ASSERT_TRUE(read.data);
    EXPECT_EQ(*read.data, defaults());
    EXPECT_EQ(entries(), QStringList{QStringLiteral("line1.sdt")});
}

TEST_F(Folder, ReadErrorsNameTheFile) {
    const QString missing = path(QStringLiteral("none.sdt"));
    const SdtFile::Decoded read = SdtFile::read(missing);
    EXPECT_FALSE(read.data);
    EXPECT_TRUE(read.error.startsWith(QStringLiteral("The set-up data file \"") +
                                      QDir::toNativeSeparators(missing) +
                                      QStringLiteral("\" could not be read:\r\n")))
        << read.error.toStdString();
    EXPECT_GT(read.error.size(), 40);
}

TEST_F(Folder, FailedWritesNameTheFileAndLeaveNothingBehind) {
    // Into a folder that does not exist.
    const QString nowhere = path(QStringLiteral("no/such/folder/a.sdt"));
    const QString error = SdtFile::write(nowhere, defaults());
    EXPECT_TRUE(error.startsWith(QStringLiteral("The set-up data file \"") +
                                 QDir::toNativeSeparators(nowhere) +
                                 QStringLiteral("\" could not be written:\r\n")))
        << error.toStdString();
    EXPECT_GT(error.size(), error.indexOf(QLatin1String("\r\n")) + 2); // a reason follows

    // Over a folder of that name: the folder stays as it was.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.sdt")));
    EXPECT_FALSE(SdtFile::write(path(QStringLiteral("taken.sdt")), defaults()).isEmpty());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("taken.sdt"))).isDir());
    EXPECT_EQ(entries(), QStringList{QStringLiteral("taken.sdt")});
}

#ifdef Q_OS_UNIX
// A write that fails half-way (here: the process may not grow files beyond 64 bytes) must
// leave the old file whole and no temporary file beside it.
TEST_F(Folder, WriteFailingHalfWayKeepsTheOldFile) {
    const QByteArray old = QByteArray("old set-up data, 40 bytes long.........");
    put(QStringLiteral("keep.sdt"), old);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString error = SdtFile::write(path(QStringLiteral("keep.sdt")), defaults());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(error.startsWith(QStringLiteral("The set-up data file \"")));
    EXPECT_TRUE(error.contains(QStringLiteral("could not be written:\r\n")));
    EXPECT_EQ(contents(QStringLiteral("keep.sdt")), old);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("keep.sdt")});
}
#endif

} // namespace
