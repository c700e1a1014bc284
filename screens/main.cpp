// The screens benchmark: how fast the console takes 8192 formatted pointer
// texts, reported as executions and characters per second.
#include "build_texts.h"
#include "pointer_text.h"
#include "results_file.h"
#include "screens_report.h"
#include "text_blocks.h"
#include "wall_clock.h"

#include <cstdlib>
#include <iostream>
#include <omp.h>

// The timed loop's count; the loop writes the address of this object.
const long long execution_count = 8192;

static long long max_threads = 0;
double screens_start = 0.0;
double screens_end = 0.0;
double screens_time = 0.0;
double executions_per_sec = 0.0;

int main()
{
    // No cap here: the count read is the count set.
    max_threads = omp_get_max_threads();
    omp_set_num_threads(static_cast<int>(max_threads));

    std::ofstream results = open_results("screens");
    const std::string title = banner("Screens");
    console_header(title);
    results_header_short(results, title);

    // Each insertion formats the address anew; nothing is flushed, separated
    // or measured inside the loop.
    char text[pointer_text_length + 1];
    screens_start = wall_clock();
    for (long long n = 0; n < execution_count; ++n) {
        format_pointer(&execution_count, text);
        std::cout << text;
    }
    screens_end = wall_clock();

    screens_time = screens_end - screens_start;
    executions_per_sec = 8192.0 / screens_time;

    write_empty_lines(std::cout, 2);
    write_line(std::cout, screens_time_text(screens_time));
    write_line(std::cout, screens_executions_text(executions_per_sec));
    write_line(std::cout, screens_characters_text(screens_time));
    write_empty_lines(std::cout, 1);

    write_empty_lines(results, 1);
    write_line(results, screens_time_text(screens_time));
    write_line(results, screens_executions_text(executions_per_sec));
    write_line(results, screens_characters_text(screens_time));
    write_empty_lines(results, 1);

    write_empty_lines(std::cout, 1);
    write_empty_lines(results, 1);
    write_empty_lines(std::cout, 1);
    write_empty_lines(results, 1);

    results.close();
    exit_prompt();
}
