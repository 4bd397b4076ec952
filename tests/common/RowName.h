// Names of table-driven test cases, taken from each row's name so that a failure names its rule.
#pragma once
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include <ostream>

namespace {

// Rows print as their names instead of their bytes.
template <class Row>
auto operator<<(std::ostream& os, const Row& row) -> decltype((void)row.name, os)
{
    return os << row.name;
}

template <class Row>
std::string RowName(const testing::TestParamInfo<Row>& info)
{
    std::string name;
    for (const char* p = info.param.name; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

} // namespace
