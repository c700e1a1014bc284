// The screens program's pointer text and report lines.
#include "pointer_text.h"
#include "screens_report.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>

namespace {

std::string text_of(std::uintptr_t address)
{
    char text[pointer_text_length + 1];
    format_pointer(reinterpret_cast<const void*>(address), text);
    return text;
}

} // namespace

TEST(PointerText, FixedWidthUpperCaseWithLeadingZeros)
{
    const bool wide = sizeof(void*) == 8;
    EXPECT_EQ(pointer_text_length, wide ? 16u : 8u);
    EXPECT_EQ(text_of(0x7F3A0000u), wide ? "000000007F3A0000" : "7F3A0000");
    EXPECT_EQ(text_of(0), wide ? "0000000000000000" : "00000000");
    EXPECT_EQ(text_of(0xAu), wide ? "000000000000000A" : "0000000A");
    EXPECT_EQ(text_of(0x00ABCDEFu), wide ? "0000000000ABCDEF" : "00ABCDEF");
    EXPECT_EQ(text_of(UINTPTR_MAX), wide ? "FFFFFFFFFFFFFFFF" : "FFFFFFFF");
}

TEST(PointerText, SameAsFixedWidthPrintf)
{
    std::uintptr_t address = 1;
    for (int n = 0; n < 200; ++n) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "%0*" PRIXPTR, static_cast<int>(pointer_text_length), address);
        EXPECT_EQ(text_of(address), expected);
        address = address * 6364136223846793005u + 1442695040888963407u;
    }
    const int object = 0;
    const std::string text = text_of(reinterpret_cast<std::uintptr_t>(&object));
    EXPECT_EQ(text.size(), pointer_text_length);
    EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF"), std::string::npos);
}

TEST(ScreensReport, Lines)
{
    EXPECT_EQ(screens_time_text(0.25), "The system spent: 0.25 Secs. ");
    EXPECT_EQ(screens_executions_text(8192.0 / 0.25), "It was: 0.032768 Millions Executions/sec.");
    EXPECT_EQ(screens_characters_text(0.25), sizeof(void*) == 8
                                                 ? "Conventionally, it was: 524288 Characters/sec."
                                                 : "Conventionally, it was: 262144 Characters/sec.");
}

TEST(ScreensReport, ZeroInterval)
{
    volatile double zero = 0.0;
    EXPECT_EQ(screens_time_text(zero), "The system spent: 0 Secs. ");
    EXPECT_EQ(screens_executions_text(8192.0 / zero), "It was: 1.#INF Millions Executions/sec.");
    EXPECT_EQ(screens_characters_text(zero), "Conventionally, it was: 1.#INF Characters/sec.");
}
