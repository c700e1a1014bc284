// The number format of every report: compared with the worked values and,
// over values of every magnitude, with the C library's own %g.
#include "number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

namespace {

double from_bits(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint64_t to_bits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The reference: printf's %.6g, with the exponent widened to three digits
// and the texts of the values that are not finite put in.
std::string reference(std::uint64_t bits)
{
    const bool negative = bits >> 63;
    const std::uint64_t fraction = bits & ((1ull << 52) - 1);
    if (((bits >> 52) & 0x7FF) == 0x7FF) {
        if (fraction == 0)
            return negative ? "-1.#INF" : "1.#INF";
        if (bits == 0xFFF8000000000000ull)
            return "-1.#IND";
        std::string text = (fraction >> 51) ? "1.#QNAN" : "1.#SNAN";
        return negative ? "-" + text : text;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6g", from_bits(bits));
    std::string text = buffer;
    const std::string::size_type e = text.find('e');
    if (e != std::string::npos) {
        std::string digits = text.substr(e + 2);
        while (digits.size() < 3)
            digits = "0" + digits;
        text = text.substr(0, e + 2) + digits;
    }
    return text;
}

void expect_like_reference(double value)
{
    const std::uint64_t bits = to_bits(value);
    ASSERT_EQ(format_number(value), reference(bits)) << "bits " << std::hex << bits;
}

} // namespace

TEST(NumberFormat, WorkedValues)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {12000.0, "12000"},
        {2166000.0, "2.166e+006"},
        {1234567.0, "1.23457e+006"},
        {100000.0, "100000"},
        {1000000.0, "1e+006"},
        {62.5, "62.5"},
        {1.0 / 60.0, "0.0166667"},
        {0.0001, "0.0001"},
        {0.00001234, "1.234e-005"},
        {8.0, "8"},
        {0.0, "0"},
        {0.25, "0.25"},
        {4.0, "4"},
        {67108864.0, "6.71089e+007"},
        {33554432.0, "3.35544e+007"},
        {134217.728, "134218"},
        {524288.0, "524288"},
        {0.032768, "0.032768"},
        {1e100, "1e+100"},
        {1e-300, "1e-300"},
        {DBL_MAX, "1.79769e+308"},
        {-2.5e-10, "-2.5e-010"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format_number(c.value), c.text) << c.text;
}

TEST(NumberFormat, ValuesThatAreNotFinite)
{
    volatile double zero = 0.0;
    EXPECT_EQ(format_number(1.0 / zero), "1.#INF");
    EXPECT_EQ(format_number(-1.0 / zero), "-1.#INF");
    EXPECT_EQ(format_number(zero / zero), "-1.#IND");
    EXPECT_EQ(format_number(std::numeric_limits<double>::infinity()), "1.#INF");

    const struct {
        std::uint64_t bits;
        const char* text;
    } cases[] = {
        {0x7FF0000000000000ull, "1.#INF"},
        {0xFFF0000000000000ull, "-1.#INF"},
        {0xFFF8000000000000ull, "-1.#IND"},
        {0x7FF8000000000000ull, "1.#QNAN"},
        {0x7FF8000000000001ull, "1.#QNAN"},
        {0xFFF8000000000001ull, "-1.#QNAN"},
        {0xFFFFFFFFFFFFFFFFull, "-1.#QNAN"},
        {0x7FF0000000000001ull, "1.#SNAN"},
        {0x7FF4000000000000ull, "1.#SNAN"},
        {0xFFF0000000000001ull, "-1.#SNAN"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format_number_bits(c.bits), c.text) << std::hex << c.bits;
}

TEST(NumberFormat, QuietNaNThroughADouble)
{
    // A quiet NaN passes through floating-point registers unchanged in both
    // builds, so the double entry point sees the same bits.
    EXPECT_EQ(format_number(from_bits(0x7FF8000000000001ull)), "1.#QNAN");
    EXPECT_EQ(format_number(-std::numeric_limits<double>::quiet_NaN()), "-1.#IND");
}

TEST(NumberFormat, ZerosAndSigns)
{
    EXPECT_EQ(format_number(0.0), "0");
    EXPECT_EQ(format_number(-0.0), "-0");
    EXPECT_EQ(format_number(-1.0), "-1");
    EXPECT_EQ(format_number(-3.4028234663852886e+38), "-3.40282e+038");
}

TEST(NumberFormat, RoundingAcrossADigitOrTheSwitchToExponentForm)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {999999.5, "1e+006"},
        {999999.4, "999999"},
        {9.9999995e-5, "0.0001"},
        {9.9999994e-5, "0.0001"},
        {0.000099999949, "9.99999e-005"},
        {123456.5, "123456"},    // an exact halfway value rounds to even
        {1.000005, "1.00001"},
        {9.999995, "10"},
        {99999.95, "99999.9"},   // 99999.95 is stored just below the halfway point
        {99999.96, "100000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(format_number(c.value), c.text) << c.text;
        expect_like_reference(c.value);
    }
}

TEST(NumberFormat, PowersOfTenAndTheirNeighbours)
{
    for (int exponent = -323; exponent <= 308; ++exponent) {
        const double power = std::pow(10.0, exponent);
        for (double value : {power, std::nextafter(power, 0.0), std::nextafter(power, DBL_MAX)}) {
            expect_like_reference(value);
            expect_like_reference(-value);
        }
        // The halfway points of the sixth digit, where rounding carries.
        for (double mantissa : {9.999995, 1.000005, 5.000005, 9.999994999}) {
            expect_like_reference(mantissa * power);
        }
    }
}

TEST(NumberFormat, DenormalsAndExtremes)
{
    for (double value : {DBL_MIN, DBL_MAX, DBL_TRUE_MIN, std::nextafter(DBL_MIN, 0.0), DBL_MIN / 3.0,
                         DBL_TRUE_MIN * 12345.0})
        expect_like_reference(value);
    std::mt19937_64 random(7);
    for (int n = 0; n < 20000; ++n) {
        const std::uint64_t bits = random() & ((1ull << 52) - 1);
        expect_like_reference(from_bits(bits));
        expect_like_reference(from_bits(bits | (1ull << 63)));
    }
}

TEST(NumberFormat, RandomBitPatterns)
{
    std::mt19937_64 random(20130913);
    for (int n = 0; n < 1000000; ++n) {
        const std::uint64_t bits = random();
        ASSERT_EQ(format_number_bits(bits), reference(bits)) << std::hex << bits;
    }
}

TEST(NumberFormat, RandomValuesOfEveryMagnitude)
{
    std::mt19937_64 random(1913);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int n = 0; n < 200000; ++n) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        expect_like_reference(value);
    }
}
