#include "element_values.h"

#include "float_barriers.h"

#include <cfloat>

int streaming_index(std::int64_t i)
{
    return static_cast<int>(i <= 4096 ? i : i % 4096);
}

std::int64_t streaming_remainder(std::int64_t i, int index)
{
    return i % (static_cast<std::int64_t>(index) + 1);
}

double float_element_single(std::int64_t i, std::int64_t r)
{
    const float first = rounded_to_type(rounded_to_type(static_cast<float>(i)) - FLT_MAX);
    const float second = rounded_to_type(static_cast<float>(r / 2));
    // Overflows to -infinity as soon as r / 2 is 2 or more.
    const float product = rounded_to_type(first * second);
    return static_cast<double>(product);
}

double float_element_extended(std::int64_t i, std::int64_t r)
{
    // i converts exactly; the difference is rounded to single (-FLT_MAX).
    const float first =
        rounded_to_type(static_cast<float>(static_cast<long double>(i) - static_cast<long double>(FLT_MAX)));
    // A single times an integer below 2^31 is exact in the 64-bit mantissa
    // of the extended format, so the one rounding is the one to double.
    const long double product = static_cast<long double>(first) * static_cast<long double>(r / 2);
    return rounded_to_type(static_cast<double>(product));
}

double float_element(std::int64_t i, std::int64_t r)
{
    return build_is_64 ? float_element_single(i, r) : float_element_extended(i, r);
}

std::int64_t integer_element(std::int64_t i, std::int64_t r)
{
    return (r * 2) * (i - 2147483647);
}

bool logic_element(std::int64_t i)
{
    return i <= execution_count;
}
