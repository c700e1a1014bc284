#pragma once
// The texts of the cube program's reports, in the suite's number format.
#include <string>
#include <vector>

// One frame: "window: <id>", "The system spent: <s> Secs. ",
// "It was: <a> Angles/sec.", "It was: <v> Vertex/sec." (lower-case "sec").
std::vector<std::string> frame_report_lines(int window, double frame_time, double angles_per_sec,
                                            double vertices_per_sec);

// The Esc summary over all frames: "Total running time:  <s> Secs. ",
// "Average Angles/Sec: <frames / s> Angles/Sec.",
// "Average Vertex/Sec: <vertices / s> Vertex/Sec." (capital "S"). Both
// averages divide by the summed frame time, so with no frame they are 0 / 0.
std::vector<std::string> summary_lines(double total_time, double frame_count, double total_vertices);
