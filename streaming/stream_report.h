#pragma once
// The report that every display call writes for each of the three list
// replays, to the console and to the results file.
#include <ostream>
#include <string>

extern const char* const float_heading;     // "Float Streaming."
extern const char* const integer_heading;   // "Integer Streaming."
extern const char* const logic_heading;     // "Logic Streaming."
extern const char* const system_spent_label; // "The system spent: " (float, integer)
extern const char* const logic_spent_label;  // "The spent: " (logic)

// executions / seconds, a division of doubles: a zero interval gives an
// infinite rate, which prints as "1.#INF".
double executions_per_sec(double executions, double seconds);

// One block of five lines per stream: "window: <id>", the heading, the spent
// line, the "It was: " line and an empty line. Line by line console first,
// except that both figure lines reach the console before either reaches
// results. The id is asked of current_window anew for each stream.
void stream_report(std::ostream& console, std::ostream& results, int (*current_window)(),
                   const char* heading, const char* spent_label, double seconds,
                   double executions_per_sec);

// The two empty lines after the logic block, console and results in turn.
void stream_report_end(std::ostream& console, std::ostream& results);
