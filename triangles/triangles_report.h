#pragma once
// Report texts of the triangles benchmark.
#include <array>
#include <string>
#include <vector>

// The five lines of one frame's report.
std::array<std::string, 5> frame_report_lines(int window, double index_count, double frame_time,
                                              double angles_per_sec, double triangles_per_sec);

// The Esc summary's two text lines (an empty line follows them).
std::vector<std::string> summary_lines(double total_time, double frame_count);

extern const char* const limit_message;
