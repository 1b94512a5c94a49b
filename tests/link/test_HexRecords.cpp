#include <gtest/gtest.h>

#include "HexRecords.h"

TEST(HexRecords, PreflightNamesTheFirstBadLineAndItsReason) {
    const char* const end = ":00000001FF";
    const struct {
        const char* name;
        std::string lines; // separated by '|'
        std::string found; // "LINE: reason", empty when the file is fit to send
    } cases[] = {
        {"record and end record, lower case", ":0201f000ab1250|" + std::string(end), ""},
        {"start address and zero extension, as objcopy writes them",
         ":020000040000FA|:0201F000AB1250|:0400000300002000D9|" + std::string(end) + "||", ""},
        {"no colon", " :0201F000AB1250|" + std::string(end),
         "1: the line does not begin with \":\""},
        {"empty line", ":0201F000AB1250||" + std::string(end),
         "2: the line does not begin with \":\""},
        {"not a hex digit", ":0201F000AG1250|" + std::string(end),
         "1: character 11 is not a hexadecimal digit"},
        {"count longer than the line", ":0301F000AB124F|" + std::string(end),
         "1: the byte count 3 does not match the length of the line"},
        {"odd number of digits", ":0201F000AB12500|" + std::string(end),
         "1: the line is too short or has an odd number of digits"},
        {"wrong checksum", ":0201F000AB1251|" + std::string(end),
         "1: the record checksum is wrong"},
        {"extension beyond 64K", ":020000040001F9|" + std::string(end),
         "1: record type 04 extends the address to 0001, beyond FFFFH"},
        {"255 bytes, a count the board takes for attention",
         ":FF0000" + std::string(512, '0') + "01|" + std::string(end),
         "1: a record of 255 bytes cannot be sent"},
        {"no end record", ":0201F000AB1250", "1: the end record is missing"},
        {"record after the end", std::string(end) + "|:0201F000AB1250",
         "2: a record follows the end record"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto problem = HexRecords::check(QString::fromStdString(c.lines).split(u'|'));
        EXPECT_EQ(problem ? std::to_string(problem->line) + ": " + problem->reason.toStdString()
                          : "",
                  c.found);
    }
    // Only the data records up to the end are sent.
    EXPECT_EQ(HexRecords::dataRecords(QString::fromStdString(cases[1].lines).split(u'|')),
              QStringList{":0201F000AB1250"});
}
