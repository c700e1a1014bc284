#include "pointer_text.h"

#include <cstdint>

void format_pointer(const void* address, char text[pointer_text_length + 1])
{
    static const char digits[] = "0123456789ABCDEF";
    std::uintptr_t value = reinterpret_cast<std::uintptr_t>(address);
    for (std::size_t n = pointer_text_length; n > 0; --n) {
        text[n - 1] = digits[value & 0xF];
        value >>= 4;
    }
    text[pointer_text_length] = '\0';
}
