#pragma once
// Reading numbers back out of report lines.
#include <string>

// The number between prefix and suffix of line, which must start with the
// one and end with the other (a test failure otherwise; NaN if the line is
// too short to hold both).
double number_in(const std::string& line, const std::string& prefix, const std::string& suffix);
