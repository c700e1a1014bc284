#include "report_texts.h"

#include "number_format.h"

std::string window_text(int window)
{
    return "window: " + std::to_string(window);
}

std::string spent_text(const char* label, double seconds)
{
    return label + format_number(seconds) + " Secs. ";
}

std::string was_text(double value, const char* unit)
{
    return "It was: " + format_number(value) + unit;
}

std::string millions_executions_text(double executions_per_sec)
{
    return was_text(executions_per_sec / 1000000.0, " Millions Executions/sec.");
}
