#pragma once
// The one number format of all reports, on the console and in the results
// files alike: six significant digits in general notation, the exponent with
// its sign and three digits ("2.166e+006"), and fixed texts for the values
// that are not finite ("1.#INF", "-1.#IND", ...).
#include <cstdint>
#include <string>

std::string format_number(double value);
// The same, from the bit pattern of a double; it keeps a signalling NaN
// intact where a floating-point load on the way in might quiet it.
std::string format_number_bits(std::uint64_t bits);
