#pragma once

#include <cctype>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <string_view>

// Names a parameterised case after its row's `name`, so a failure says which row it was:
// INSTANTIATE_TEST_SUITE_P(Rows, Suite, testing::ValuesIn(rows), CaseName());
struct CaseName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        return identifier(info.param.name);
    }

    // gtest allows only letters, digits and underscores in a case name.
    static std::string identifier(std::string_view text) {
        std::string name;
        for (char c : text)
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name.empty() ? std::string("empty") : name;
    }
};

// Lets gtest show a row by its name, in ctest's list and in failures, instead of as a byte
// dump. Put it in the row type's own namespace, after the type.
#define VORNA7_PRINTS_ROW_NAME(Row)                                                                \
    [[maybe_unused]] void PrintTo(const Row& row, std::ostream* out) {                             \
        *out << row.name;                                                                          \
    }
