// libFuzzer target for the program file readers, built and run by scripts/fuzz-program.sh.
// The first byte picks the reader (HEX pre-flight, revision file, configuration file), the
// rest is the file. Whatever the bytes, each reader must keep its promise:
// - the HEX check accepts only files whose data records rebuild to the very same lines and
//   that end with an end record, and names a line within the file when it refuses;
// - the revision reader gives an ident and two numbers from 0 to 255, or "Unknown" for all;
// - the configuration reader gives three one-digit codes, or 3, 0 and 3.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "HexRecords.h"
#include "HexText.h"
#include "ProgramFiles.h"
#include "Prompter.h"

namespace {

class SilentPrompter final : public Prompter {
public:
    int ask(const QString&, const QString&, Icon, Buttons) override { return OK; }
};

QStringList hexLines(const QByteArray& bytes) {
    QString text = QString::fromLatin1(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

const char* hexFault(const QByteArray& bytes) {
    const QStringList lines = hexLines(bytes);
    if (const auto problem = HexRecords::check(lines))
        return problem->reason.isEmpty() || problem->line < 0 || problem->line > lines.size()
                   ? "a refusal without a reason or outside the file"
                   : nullptr;
    if (lines.isEmpty() || lines.last().mid(7, 2) != QLatin1String("01"))
        return "accepted without an end record last";
    for (const QString& line : lines) {
        if (line.mid(7, 2) != QLatin1String("00"))
            continue;
        const QByteArray record = QByteArray::fromHex(line.mid(1).toLatin1());
        const int address = (static_cast<unsigned char>(record.at(1)) << 8) |
                            static_cast<unsigned char>(record.at(2));
        if (HexRecords::dataRecord(address, record.mid(4, record.size() - 5)) != line.toUpper())
            return "an accepted record does not rebuild to its line";
    }
    return nullptr;
}

bool byteText(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= 0 && value <= 255;
}

const char* fileFault(char reader, const QByteArray& bytes) {
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) < 0)
        return nullptr; // the machine's trouble, not the reader's
    file.close();
    SilentPrompter prompter;
    ProgramSet set;
    if (reader == 1) {
        const bool read = ProgramFiles::ReadRevisionFile(path, set, prompter);
        if (read && !(byteText(set.ProgramChecksum) && byteText(set.ProgramRevision)))
            return "a revision file read with a checksum or revision outside 0..255";
        if (!read && set.ProgramIdent != QLatin1String("Unknown"))
            return "a refused revision file left an ident behind";
        return nullptr;
    }
    const bool read = ProgramFiles::ReadConfigFile(path, set, prompter);
    const int codes[3] = {set.LcfCode36, set.LcfCode39, set.LcfCode40};
    for (int code : codes) {
        if (read ? code < 0 || code > 9 : false)
            return "a configuration code outside one digit";
    }
    if (!read && (codes[0] != 3 || codes[1] != 0 || codes[2] != 3))
        return "a refused configuration file left codes other than 3, 0, 3";
    return nullptr;
}

// FUZZ_READER=hex|rev|lcf gives a whole run to one reader, every byte its input; without
// it the first byte picks the reader.
int pinnedReader() {
    static const int pinned = [] {
        const QByteArray name = qgetenv("FUZZ_READER");
        return name == "hex" ? 0 : name == "rev" ? 1 : name == "lcf" ? 2 : -1;
    }();
    return pinned;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int pinned = pinnedReader();
    if (size == 0 && pinned < 0)
        return 0;
    const char reader = static_cast<char>(pinned >= 0 ? pinned : data[0] % 3);
    const std::size_t skip = pinned >= 0 ? 0 : 1;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + skip, qsizetype(size - skip));
    const char* fault = reader == 0 ? hexFault(bytes) : fileFault(reader, bytes);
    if (fault) {
        std::fprintf(stderr, "program file readers: %s\n", fault);
        __builtin_trap();
    }
    return 0;
}
