// libFuzzer target for the set-up data file reader, built and run by scripts/fuzz-sdt.sh.
// Whatever the bytes, decoding must either refuse them with a reason or give a record that
// encodes back to exactly the bytes it was read from, and those bytes must decode again to
// the same record. Any other outcome stops the run with the input saved as a crash.
//
// Built with SDT_FUZZ_SEED_WRITER defined, the same file is a small program that writes the
// starting corpus: the defaults as the program starts with them, and 20- and 40-element files.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "SdtFile.h"

#ifdef SDT_FUZZ_SEED_WRITER
#include <QDir>
#include <QString>

#include "SetupTables.h"
#endif

namespace {

// Null when the reader keeps its promise for these bytes, else what went wrong.
const char* roundTripFault(const QByteArray& bytes) {
    const SdtFile::Decoded decoded = SdtFile::decode(bytes);
    if (!decoded.data)
        return decoded.error.isEmpty() ? "refused without a reason" : nullptr;
    if (decoded.consumed <= 0 || decoded.consumed > bytes.size())
        return "record length outside the input";
    const SdtFile::Encoded again = SdtFile::encode(*decoded.data);
    if (!again.error.isEmpty())
        return "an accepted record cannot be encoded";
    if (again.bytes != bytes.left(decoded.consumed))
        return "encoding differs from the bytes read";
    const SdtFile::Decoded twice = SdtFile::decode(again.bytes);
    if (!twice.data || !(*twice.data == *decoded.data) || twice.consumed != again.bytes.size())
        return "the encoded record does not decode to the same record";
    return nullptr;
}

} // namespace

#ifndef SDT_FUZZ_SEED_WRITER

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // No copy: the reader works on the fuzzer's own buffer, so a read past its end is caught.
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const char* fault = roundTripFault(bytes)) {
        std::fprintf(stderr, "set-up file reader: %s\n", fault);
        __builtin_trap();
    }
    return 0;
}

#else

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const SetupData defaults = SetupTables::defaultData(SetupTables::programVersion());
    SetupData twenty = defaults;
    twenty.resizeTables(19);
    SetupData forty = defaults;
    forty.resizeTables(39);
    for (int i = 32; i < 40; ++i) {
        forty.ParamAdd[std::size_t(i)] = QStringLiteral("W%1").arg(2000 + 2 * i);
        forty.ParamValue[std::size_t(i)] = -i * 1000;
    }
    const struct {
        const char* name;
        const SetupData& data;
    } seeds[] = {
        {"defaults.sdt", defaults}, {"elements-20.sdt", twenty}, {"elements-40.sdt", forty}};
    for (const auto& seed : seeds) {
        const QString path = folder.filePath(QLatin1String(seed.name));
        const QByteArray bytes = SdtFile::encode(seed.data).bytes;
        if (const char* fault = roundTripFault(bytes)) {
            std::fprintf(stderr, "%s: %s\n", seed.name, fault);
            return 1;
        }
        if (const QString error = SdtFile::write(path, seed.data); !error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}

#endif
