#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "CaseName.h"
#include "ParserProperties.h"

namespace {

// The inputs the fuzzer of each parser kept (scripts/fuzz-parsers.sh), with its seeds.
struct Corpus {
    const char* name;
    ParserProperties::Parser parser;
    const char* folder;
};

VORNA7_PRINTS_ROW_NAME(Corpus)

class ParserCorpus : public ::testing::TestWithParam<Corpus> {};

TEST_P(ParserCorpus, EveryKeptInputKeepsTheParsersPromise) {
    const Corpus& c = GetParam();
    const QDir folder(QStringLiteral(VORNA7_SOURCE_DIR "/") + QLatin1String(c.folder));
    const QStringList names = folder.entryList(QDir::Files, QDir::Name);
    ASSERT_GT(names.size(), 20) << qPrintable(folder.path());
    for (const QString& name : names) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
        const char* fault = ParserProperties::check(c.parser, file.readAll());
        EXPECT_EQ(fault, nullptr) << qPrintable(name) << ": " << fault;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParserCorpus,
    ::testing::Values(
        Corpus{"RSPortCfg", ParserProperties::PortSettings, "tests/link/rsport-corpus"},
        Corpus{"FaultTexts", ParserProperties::FaultText, "tests/link/fault-text-corpus"},
        Corpus{"Address", ParserProperties::Address, "tests/link/address-corpus"},
        Corpus{"CtlOptions", ParserProperties::CtlCommandLine, "tests/cli/ctl-options-corpus"},
        Corpus{"SimControl", ParserProperties::SimControl, "tests/sim/sim-control-corpus"}),
    CaseName());

} // namespace
