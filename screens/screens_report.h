#pragma once
// The three report lines of the screens program.
#include <string>

#include "pointer_text.h"

// Characters the timed loop writes: 8192 pointer texts (131072 in the x86-64
// build, 65536 in the 32-bit build); the numerator of the characters figure.
const double characters_written = pointer_text_length == 16 ? 131072.0 : 65536.0;

// "The system spent: <seconds> Secs. "
std::string screens_time_text(double screens_time);
// "It was: <millions> Millions Executions/sec."
std::string screens_executions_text(double executions_per_sec);
// "Conventionally, it was: <characters_written / seconds> Characters/sec."
std::string screens_characters_text(double screens_time);
