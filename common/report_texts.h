#pragma once
// The line shapes that the per-frame and closing reports of the programs
// share. Numbers are in the suite's number format.
#include <string>

// "window: <id>"
std::string window_text(int window);
// <label><seconds>" Secs. " (the line ends with a blank)
std::string spent_text(const char* label, double seconds);
// "It was: "<value><unit>
std::string was_text(double value, const char* unit);
// "It was: "<executions_per_sec / 1,000,000>" Millions Executions/sec."
std::string millions_executions_text(double executions_per_sec);
// "Total running time:  "<seconds>" Secs. " (two blanks after the colon)
std::string total_running_time_text(double total_time);
// <label><value><unit>, for the averages of a summary
std::string average_text(const char* label, double value, const char* unit);
