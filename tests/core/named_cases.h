#pragma once

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace norvalis::testing {

// Every case of a table carries a readable, unique name: it names the test, and the test lists
// print it instead of the case's raw bytes (pull the operator in with `using`).
struct CaseName {
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case> &info) const {
        return info.param.name;
    }
};

template <class Case> auto operator<<(std::ostream &os, const Case &c) -> decltype(c.name, os) {
    return os << c.name;
}

} // namespace norvalis::testing
