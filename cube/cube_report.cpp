#include "cube_report.h"

#include "report_texts.h"

std::vector<std::string> frame_report_lines(int window, double frame_time, double angles_per_sec,
                                            double vertices_per_sec)
{
    return {
        window_text(window),
        spent_text("The system spent: ", frame_time),
        was_text(angles_per_sec, " Angles/sec."),
        was_text(vertices_per_sec, " Vertex/sec."),
    };
}

std::vector<std::string> summary_lines(double total_time, double frame_count, double total_vertices)
{
    return {
        total_running_time_text(total_time),
        average_text("Average Angles/Sec: ", frame_count / total_time, " Angles/Sec."),
        average_text("Average Vertex/Sec: ", total_vertices / total_time, " Vertex/Sec."),
    };
}
