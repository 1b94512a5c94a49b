#pragma once

#include <cctype>
#include <gtest/gtest.h>
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
