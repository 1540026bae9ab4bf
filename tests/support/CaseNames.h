#pragma once

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace qzc::test {

/// A text as the name of a parameterised case: letters and digits kept, every other run of
/// characters one underscore ("board 0 alone" gives board_0_alone).
inline std::string caseIdentifier(std::string_view text) {
    std::string name;
    for (const char ch : text) {
        if (std::isalnum(static_cast<unsigned char>(ch)))
            name += ch;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name.empty() ? std::string("unnamed") : name;
}

/// Names each case of a parameterised test after its `name` member, so that the test list
/// and CTest show the case rather than a dump of its bytes (give the case type a PrintTo
/// that prints the name too: CTest shows the printed parameter beside the name).
struct CaseName {
    template <typename Case> std::string operator()(const testing::TestParamInfo<Case>& info) const {
        return caseIdentifier(info.param.name);
    }
};

} // namespace qzc::test
