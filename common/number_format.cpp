#include "number_format.h"

#include <charconv>
#include <cstring>

namespace {

const std::uint64_t sign_bit = 1ull << 63;
const std::uint64_t exponent_bits = 0x7FFull << 52;
const std::uint64_t fraction_bits = (1ull << 52) - 1;
const std::uint64_t quiet_bit = 1ull << 51;

std::string not_finite_text(std::uint64_t bits)
{
    const bool negative = (bits & sign_bit) != 0;
    const std::uint64_t fraction = bits & fraction_bits;
    if (fraction == 0)
        return negative ? "-1.#INF" : "1.#INF";
    // The default NaN of x86 arithmetic, which 0.0 / 0.0 yields.
    if (negative && fraction == quiet_bit)
        return "-1.#IND";
    std::string text = (fraction & quiet_bit) ? "1.#QNAN" : "1.#SNAN";
    return negative ? "-" + text : text;
}

} // namespace

std::string format_number_bits(std::uint64_t bits)
{
    if ((bits & exponent_bits) == exponent_bits)
        return not_finite_text(bits);

    double value;
    std::memcpy(&value, &bits, sizeof value);
    // General notation with precision 6, exactly as printf's %g and the
    // stream default, except that the C library writes two exponent digits.
    char buffer[32];
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    std::string text(buffer, written.ptr);
    const std::string::size_type e = text.find('e');
    if (e != std::string::npos) {
        const std::string::size_type digits = text.size() - (e + 2);
        if (digits < 3)
            text.insert(e + 2, 3 - digits, '0');
    }
    return text;
}

std::string format_number(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return format_number_bits(bits);
}
