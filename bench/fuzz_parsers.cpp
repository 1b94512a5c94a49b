// libFuzzer target for one of the parsers of ParserProperties, chosen when it is built
// (-DFUZZ_PARSER=n); built and run by scripts/fuzz-parsers.sh. A broken promise stops the
// run with the input saved as a crash.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "ParserProperties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // No copy: the parser works on the fuzzer's own buffer, so a read past its end is caught.
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto parser = static_cast<ParserProperties::Parser>(FUZZ_PARSER);
    if (const char* fault = ParserProperties::check(parser, input)) {
        std::fprintf(stderr, "%s: %s\n", ParserProperties::name(parser), fault);
        __builtin_trap();
    }
    return 0;
}
