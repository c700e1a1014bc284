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

std::string total_running_time_text(double total_time)
{
    return spent_text("Total running time:  ", total_time);
}

std::string average_text(const char* label, double value, const char* unit)
{
    return label + format_number(value) + unit;
}
