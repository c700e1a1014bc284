#include "report_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

double number_in(const std::string& line, const std::string& prefix, const std::string& suffix)
{
    EXPECT_EQ(line.rfind(prefix, 0), 0u) << line;
    if (line.size() < prefix.size() + suffix.size())
        return NAN;
    EXPECT_EQ(line.substr(line.size() - suffix.size()), suffix) << line;
    const std::string number = line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    EXPECT_EQ(*end, '\0') << line;
    return value;
}
