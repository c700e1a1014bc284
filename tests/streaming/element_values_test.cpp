// The element values of the three workloads, from the functions the loops
// call, at the iterations where the rules change and over the whole loop.
#include "element_values.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

std::uint64_t bits_of(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Compares bit patterns, so that -0.0 and 0.0 differ.
#define EXPECT_SAME_DOUBLE(actual, expected) EXPECT_EQ(bits_of(actual), bits_of(expected)) << (actual)

const double minus_flt_max = -3.4028234663852886e+38;
const double minus_infinity = -INFINITY;

} // namespace

TEST(ElementValues, ExecutionCountOfTheBuild)
{
    EXPECT_EQ(execution_count, sizeof(void*) == 8 ? 67108864 : 33554432);
}

TEST(ElementValues, EdgeIterations)
{
    const std::int64_t last = execution_count - 1;
    const struct {
        std::int64_t i;
        int index;
        std::int64_t r;
        double single;     // the product rounded to single, widened
        double extended;   // the product rounded once, to double
        std::int64_t integer;
    } cases[] = {
        {0, 0, 0, -0.0, -0.0, 0},
        {1, 1, 1, -0.0, -0.0, -4294967292},
        {2, 2, 2, minus_flt_max, minus_flt_max, -8589934580},
        {4, 4, 4, minus_infinity, -6.805646932770577e+38, -17179869144},
        {4096, 4096, 4096, minus_infinity, 2048 * minus_flt_max, -17592152481792},
        {4097, 1, 1, -0.0, -0.0, -4294959100},
        {4098, 2, 0, -0.0, -0.0, 0},
        {8192, 0, 0, -0.0, -0.0, 0},
        {67108863, 4095, 4095, minus_infinity, 2047 * minus_flt_max, -17038269480960},
        {33554431, 4095, 4095, minus_infinity, 2047 * minus_flt_max, -17313080279040},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.i);
        const int index = streaming_index(c.i);
        EXPECT_EQ(index, c.index);
        const std::int64_t r = streaming_remainder(c.i, index);
        EXPECT_EQ(r, c.r);
        EXPECT_SAME_DOUBLE(float_element_single(c.i, r), c.single);
        EXPECT_SAME_DOUBLE(float_element_extended(c.i, r), c.extended);
        EXPECT_SAME_DOUBLE(float_element(c.i, r), sizeof(void*) == 8 ? c.single : c.extended);
        EXPECT_EQ(integer_element(c.i, r), c.integer);
        if (c.i <= last) {
            EXPECT_TRUE(logic_element(c.i));
        }
    }
}

TEST(ElementValues, LastIterationOfTheBuild)
{
    const std::int64_t last = execution_count - 1;
    const int index = streaming_index(last);
    const std::int64_t r = streaming_remainder(last, index);
    EXPECT_EQ(index, 4095);
    EXPECT_EQ(r, 4095);
    if (sizeof(void*) == 8) {
        EXPECT_SAME_DOUBLE(float_element(last, r), minus_infinity);
        EXPECT_EQ(integer_element(last, r), -17038269480960);
    } else {
        EXPECT_SAME_DOUBLE(float_element(last, r), 2047 * minus_flt_max);
        EXPECT_EQ(integer_element(last, r), -17313080279040);
    }
    EXPECT_TRUE(logic_element(last));
    // The threshold is the count itself: the first i past the loop is still true.
    EXPECT_TRUE(logic_element(execution_count));
    EXPECT_FALSE(logic_element(execution_count + 1));
}

TEST(ElementValues, IndexRule)
{
    const struct {
        std::int64_t i;
        int index;
    } cases[] = {{0, 0}, {1, 1}, {4095, 4095}, {4096, 4096}, {4097, 1}, {8191, 4095}, {8192, 0},
                 {8193, 1}, {12288, 0}, {67108863, 4095}};
    for (const auto& c : cases)
        EXPECT_EQ(streaming_index(c.i), c.index) << c.i;
}

// Every iteration of the build's loop: the index stays in 0..4096, the
// remainder is below index + 1 and not negative, the float element follows
// its rule (the extended product exactly -FLT_MAX * (r / 2), never
// infinite), and the integer element stays below 2^44 in magnitude.
TEST(ElementValues, WholeLoopFollowsTheRules)
{
    const double limit = std::ldexp(1.0, 44);
    std::int64_t failures = 0;
    for (std::int64_t i = 0; i < execution_count && failures < 10; ++i) {
        const int index = streaming_index(i);
        const std::int64_t r = streaming_remainder(i, index);
        bool ok = index >= 0 && index <= 4096 && r >= 0 && r <= index;
        const std::int64_t half = r / 2;
        const double single = float_element_single(i, r);
        const double single_expected = half == 0 ? -0.0 : half == 1 ? minus_flt_max : minus_infinity;
        ok = ok && bits_of(single) == bits_of(single_expected);
        const double extended = float_element_extended(i, r);
        ok = ok && std::isfinite(extended) && bits_of(extended) == bits_of(minus_flt_max * static_cast<double>(half));
        ok = ok && bits_of(float_element(i, r)) == bits_of(sizeof(void*) == 8 ? single : extended);
        const std::int64_t integer = integer_element(i, r);
        ok = ok && std::fabs(static_cast<double>(integer)) < limit && integer == 2 * r * (i - INT32_MAX);
        if (!ok) {
            ++failures;
            ADD_FAILURE() << "iteration " << i;
        }
    }
}
