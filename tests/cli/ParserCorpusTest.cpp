#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "ParserProperties.h"

namespace {

// The inputs the fuzzer of each parser kept (scripts/fuzz-parsers.sh), with its seeds.
struct Corpus {
    const char* name;
    ParserProperties::Parser parser;
    const char* folder;
};

const Corpus corpora[] = {
    {"RSPortCfg", ParserProperties::PortSettings, "tests/link/rsport-corpus"},
    {"FaultTexts", ParserProperties::FaultText, "tests/link/fault-text-corpus"},
    {"Address", ParserProperties::Address, "tests/link/address-corpus"},
    {"CtlOptions", ParserProperties::CtlCommandLine, "tests/cli/ctl-options-corpus"},
    {"SimControl", ParserProperties::SimControl, "tests/sim/sim-control-corpus"},
};

TEST(ParserCorpus, EveryKeptInputKeepsTheParsersPromise) {
    for (const Corpus& c : corpora) {
        SCOPED_TRACE(c.name);
        const QDir folder(QStringLiteral(VORNA7_SOURCE_DIR "/") + QLatin1String(c.folder));
        const QStringList names = folder.entryList(QDir::Files, QDir::Name);
        EXPECT_GT(names.size(), 20) << qPrintable(folder.path());
        for (const QString& name : names) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
            const char* fault = ParserProperties::check(c.parser, file.readAll());
            EXPECT_EQ(fault, nullptr) << qPrintable(name) << ": " << fault;
        }
    }
}

} // namespace
