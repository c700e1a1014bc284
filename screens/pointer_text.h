#pragma once
// The screens program's text of one address: two upper-case hexadecimal
// digits per byte of an address, most significant first, leading zeros
// always written, no prefix (16 characters in the x86-64 build, 8 in the
// 32-bit build).
#include <cstddef>

const std::size_t pointer_text_length = 2 * sizeof(void*);

// Writes the text of address into text, followed by a terminating NUL.
void format_pointer(const void* address, char text[pointer_text_length + 1]);
