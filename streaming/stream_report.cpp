#include "stream_report.h"

#include "report_texts.h"
#include "text_blocks.h"

const char* const float_heading = "Float Streaming.";
const char* const integer_heading = "Integer Streaming.";
const char* const logic_heading = "Logic Streaming.";
const char* const system_spent_label = "The system spent: ";
const char* const logic_spent_label = "The spent: ";

double executions_per_sec(double executions, double seconds)
{
    return executions / seconds;
}

void stream_report(std::ostream& console, std::ostream& results, int (*current_window)(),
                   const char* heading, const char* spent_label, double seconds,
                   double executions_per_sec)
{
    write_line(console, window_text(current_window()));
    write_line(results, window_text(current_window()));
    write_line(console, heading);
    write_line(results, heading);
    write_line(console, spent_text(spent_label, seconds));
    write_line(console, millions_executions_text(executions_per_sec));
    write_line(results, spent_text(spent_label, seconds));
    write_line(results, millions_executions_text(executions_per_sec));
    write_empty_lines(console, 1);
    write_empty_lines(results, 1);
}

void stream_report_end(std::ostream& console, std::ostream& results)
{
    write_empty_lines(console, 1);
    write_empty_lines(results, 1);
    write_empty_lines(console, 1);
    write_empty_lines(results, 1);
}
