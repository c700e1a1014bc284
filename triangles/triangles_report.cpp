#include "triangles_report.h"

#include "number_format.h"
#include "report_texts.h"

const char* const limit_message = "It reaches limits, the program terminates.";

std::array<std::string, 5> frame_report_lines(int window, double index_count, double frame_time,
                                              double angles_per_sec, double triangles_per_sec)
{
    // The triangle figure is the index count over 6, as the rate uses it.
    return {window_text(window), "It drew " + format_number(index_count / 6.0) + " Triangles.",
            spent_text("It spent: ", frame_time), was_text(angles_per_sec, " Angles/sec."),
            was_text(triangles_per_sec, " Triangles/sec.")};
}

std::vector<std::string> summary_lines(double total_time, double frame_count)
{
    return {total_running_time_text(total_time),
            average_text("Average Angles/Sec: ", frame_count / total_time, " Angles/Sec.")};
}
