#pragma once
// Names each case of a table-driven test after its `name` field, so a failure reads
// "Suite/Case/unclosed_bold" rather than "Suite/Case/7".

#include <gtest/gtest.h>

#include <string>

namespace vellumar::testing_support {

struct CaseName {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& paramInfo) const {
        return std::string(paramInfo.param.name);
    }
};

}  // namespace vellumar::testing_support
