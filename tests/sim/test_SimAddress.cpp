#include <gtest/gtest.h>
#include <tuple>

#include <string>

#include "SimAddress.h"

using sim::BoardMemory;
using sim::SimAddress;
using Kind = SimAddress::Kind;

TEST(SimAddress, DecodesEachFormAndRefusesTheMalformed) {
    const struct {
        const char* text;
        Kind kind;
        std::uint16_t address;
        int bit;
    } forms[] = {{"B1020", Kind::Byte, 1020, 0},  {"b101", Kind::Byte, 101, 0},
                 {"W1022", Kind::Word, 1022, 0},  {"d1100", Kind::Pair, 1100, 0},
                 {"B100.4", Kind::Bit, 100, 4},   {"F34", Kind::Bit, 36, 2},
                 {"F0", Kind::Bit, 32, 0},        {"F8", Kind::Bit, 33, 0},
                 {"1FF0H", Kind::Byte, 8176, 0},  {"5h", Kind::Byte, 5, 0},
                 {"B65535", Kind::Byte, 65535, 0}};
    for (const auto& form : forms) {
        SCOPED_TRACE(form.text);
        const auto address = SimAddress::parse(form.text);
        ASSERT_TRUE(address.has_value());
        EXPECT_EQ(std::tuple(address->kind(), address->address(), address->bit()),
                  std::tuple(form.kind, form.address, form.bit));
    }
    for (const char* text :
         {"",      "B",     "W",        "X5",     "Q1",     "B1020.8", "B1020.", "B.1",
          "B10.x", "W10.1", "B1020.00", "W65535", "D65533", "B65536",  "Fx",     "F-1",
          "1FG0H", "H",     "12345H",   "B 12",   "B12 ",   "W123456"})
        EXPECT_FALSE(SimAddress::parse(text).has_value()) << text;
}

TEST(SimAddress, PairUsesBaseTenThousandWords) {
    BoardMemory memory;
    const auto address = SimAddress::parse("D1100");
    ASSERT_TRUE(address->write(memory, 123'456'789));
    EXPECT_EQ(memory.word(1100), 6789);
    EXPECT_EQ(memory.word(1102), 12345);
    EXPECT_EQ(address->read(memory), 123'456'789u);
}

TEST(SimAddress, ValueOutOfRangeWritesNothing) {
    BoardMemory memory;
    const struct {
        const char* address;
        std::uint32_t tooBig;
    } cases[] = {{"B1020", 256}, {"W1022", 65536}, {"D1100", 655'360'000}, {"B1020.0", 2}};
    for (const auto& c : cases) {
        EXPECT_FALSE(SimAddress::parse(c.address)->write(memory, c.tooBig)) << c.address;
        EXPECT_TRUE(SimAddress::parse(c.address)->write(memory, c.tooBig - 1)) << c.address;
    }
    EXPECT_EQ(memory.byte(1020), 255);
    EXPECT_EQ(memory.word(1022), 65535);
    EXPECT_EQ(memory.pair(1100), 655'359'999u);
}

TEST(SimAddress, BitWriteChangesOnlyItsBit) {
    BoardMemory memory;
    memory.setByte(100, 0xA5);
    SimAddress::parse("B100.1")->write(memory, 1);
    SimAddress::parse("B100.0")->write(memory, 0);
    EXPECT_EQ(memory.byte(100), 0xA6);
    EXPECT_EQ(SimAddress::parse("B100.7")->read(memory), 1u);
}

TEST(BoardMemory, WordAtTheTopWrapsToAddressZero) {
    BoardMemory memory;
    memory.setWord(0xFFFF, 0x1234);
    EXPECT_EQ(memory.byte(0xFFFF), 0x34);
    EXPECT_EQ(memory.byte(0x0000), 0x12);
    EXPECT_EQ(memory.word(0xFFFF), 0x1234);
}
