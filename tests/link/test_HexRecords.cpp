#include <gtest/gtest.h>

#include "HexRecords.h"
#include "QStringPrinter.h"

TEST(HexRecords, PreflightNamesTheFirstBadLineAndItsReason) {
    const struct {
        const char* name;
        QStringList lines;
        int line; // 0: accepted
        const char* reason;
    } cases[] = {
        {"record and end record", {":0201F000AB1250", ":00000001FF"}, 0, ""},
        {"lower-case digits", {":0201f000ab1250", ":00000001ff"}, 0, ""},
        {"no colon", {" :0201F000AB1250", ":00000001FF"}, 1, "the line does not begin with \":\""},
        {"empty line",
         {":0201F000AB1250", "", ":00000001FF"},
         2,
         "the line does not begin with \":\""},
        {"not a hex digit",
         {":0201F000AG1250", ":00000001FF"},
         1,
         "character 11 is not a hexadecimal digit"},
        {"count longer than the line",
         {":0301F000AB124F", ":00000001FF"},
         1,
         "the byte count 3 does not match the length of the line"},
        {"odd number of digits",
         {":0201F000AB12500", ":00000001FF"},
         1,
         "the line is too short or has an odd number of digits"},
        {"too short",
         {":00000001", ":00000001FF"},
         1,
         "the line is too short or has an odd number of digits"},
        {"wrong checksum", {":0201F000AB1251", ":00000001FF"}, 1, "the record checksum is wrong"},
        {"extended address record",
         {":020000040001F9", ":00000001FF"},
         1,
         "record type 04 is not supported"},
        {"no end record", {":0201F000AB1250"}, 1, "the end record is missing"},
        {"empty file", {}, 0, "the end record is missing"},
        {"record after the end",
         {":00000001FF", ":0201F000AB1250"},
         2,
         "a record follows the end record"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto problem = HexRecords::check(c.lines);
        if (c.line == 0 && QByteArray(c.reason).isEmpty()) {
            EXPECT_FALSE(problem.has_value());
            continue;
        }
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->line, c.line);
        EXPECT_EQ(problem->reason, QString::fromLatin1(c.reason));
    }
}

TEST(HexRecords, UploadRecordIsUpperCaseWithItsChecksum) {
    EXPECT_EQ(HexRecords::dataRecord(0x01F0, QByteArray::fromHex("ab12")),
              QStringLiteral(":0201F000AB1250"));
}
