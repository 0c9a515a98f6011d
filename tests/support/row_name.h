// A table's rows name its tests: gtest's name for each row is the row's `name`.
#pragma once

#include <string>

#include <gtest/gtest.h>

namespace queltests {

struct RowName {
    template <typename Row>
    std::string operator()(const testing::TestParamInfo<Row>& info) const {
        return std::string(info.param.name);
    }
};

// The last argument of INSTANTIATE_TEST_SUITE_P for a table whose rows have a `name`.
constexpr RowName rowName{};

}  // namespace queltests
