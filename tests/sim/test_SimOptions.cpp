#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimOptions.h"

using sim::SimOptions;

namespace {

std::optional<SimOptions> parse(std::vector<const char*> arguments, std::string& error) {
    arguments.insert(arguments.begin(), "vorna7-sim");
    return SimOptions::parse(static_cast<int>(arguments.size()), arguments.data(), error);
}

} // namespace

TEST(SimOptions, TakesThePLSAndIdentityOptions) {
    std::string error;
    // --pls-not-ready is seen on the simulator program's line.
    const auto options = parse({"--pls-busy", "40", "--pls-wrong-ack", "--bad-recall", "--firmware",
                                "255", "--fault-code", "0"},
                               error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->plsBusyMs, 40);
    EXPECT_TRUE(options->plsWrongAcknowledge);
    EXPECT_TRUE(options->badRecall);
    EXPECT_EQ(options->firmware, 255);
    EXPECT_EQ(options->faultCode, 0);

    const auto plain = parse({}, error);
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->plsBusyMs || plain->plsNotReady || plain->plsWrongAcknowledge ||
                 plain->badRecall || plain->firmware || plain->faultCode);
}

TEST(SimOptions, RefusesPLSAndIdentityValuesOutOfRange) {
    const struct {
        std::vector<const char*> arguments;
        const char* error;
    } cases[] = {
        {{"--pls-busy", "60001"}, "--pls-busy takes milliseconds, 0 to 60000"},
        {{"--pls-busy", "-1"}, "--pls-busy takes milliseconds, 0 to 60000"},
        {{"--firmware", "256"}, "--firmware takes a number from 0 to 255"},
        {{"--fault-code", "1F"}, "--fault-code takes a number from 0 to 255"},
        {{"--fault-code"}, "unknown or incomplete option --fault-code"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(parse(c.arguments, error)) << c.error;
        EXPECT_EQ(error, c.error);
    }
}
