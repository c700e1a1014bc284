#include "text_blocks.h"

#include "number_format.h"

#include <cstdlib>
#include <iostream>
#include <omp.h>

const char* const maker_line = "Copyright (C) 2013 Quorvel. Tamberlin Benchmark suite, all rights reserved.";
const char* const support_line = "For Support: support@tamberlin-benchmark.example";

const char* const animate_key_help[4] = {
    "Press Key R or Press Mouse Left button to Animate.",
    "Press Key C to Animate Manually.",
    "Press Key P or Press Mouse Right button for Pause.",
    "Press Key Esc for exit.",
};

const char* const run_key_help[4] = {
    "Press Key R or Press Mouse Left button to Run Automatically.",
    "Press Key C to Run Manually.",
    "Press Key P or Press Mouse Right button for Pause.",
    "Press Key Esc for exit.",
};

void write_line(std::ostream& out, const std::string& text)
{
    out << text << std::endl;
}

void write_empty_lines(std::ostream& out, int count)
{
    for (int n = 0; n < count; ++n)
        out << std::endl;
}

void console_header(const std::string& banner)
{
    write_empty_lines(std::cout, 1);
    write_line(std::cout, banner);
    write_line(std::cout, maker_line);
    write_line(std::cout, support_line);
    write_empty_lines(std::cout, 3);
}

std::string thread_line_text(int count)
{
    return "Thread(s): " + std::to_string(count);
}

void thread_line(std::ostream& out)
{
    write_line(out, thread_line_text(omp_get_max_threads()));
    write_empty_lines(out, 1);
}

void results_header(std::ostream& results, const std::string& banner)
{
    results_header_short(results, banner);
    thread_line(results);
}

void results_header_short(std::ostream& results, const std::string& banner)
{
    write_line(results, banner);
    write_empty_lines(results, 1);
}

void key_help(const char* const lines[4])
{
    for (int n = 0; n < 4; ++n)
        write_line(std::cout, lines[n]);
    write_empty_lines(std::cout, 2);
}

void init_notice()
{
    write_line(std::cout, "Initializing . . .");
    write_empty_lines(std::cout, 1);
}

std::string init_report_text(double init_time)
{
    return "It spent: " + format_number(init_time) + " Secs to Initialize.";
}

std::string window_init_report_text(int window, double init_time)
{
    return "For window: " + std::to_string(window) + ", the system spent: " +
           format_number(init_time) + " Secs to Initialize.";
}

void init_report(std::ostream& results, double init_time)
{
    write_line(std::cout, init_report_text(init_time));
    write_empty_lines(std::cout, 2);
    write_line(results, init_report_text(init_time));
    write_empty_lines(results, 2);
}

void window_init_report(std::ostream& results, int (*current_window)(), double init_time,
                        const char* file_ending)
{
    write_line(std::cout, window_init_report_text(current_window(), init_time));
    write_empty_lines(std::cout, 2);
    write_line(results, window_init_report_text(current_window(), init_time) + file_ending);
    write_empty_lines(results, 2);
}

void summary_block(std::ostream& results, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        write_line(std::cout, line);
    write_empty_lines(std::cout, 1);
    for (const std::string& line : lines)
        write_line(results, line);
    write_empty_lines(results, 1);
}

void main_loop_returned(std::ofstream& results)
{
    write_empty_lines(std::cout, 1);
    write_empty_lines(results, 1);
    results.close();
    std::cin.get();
    std::exit(0);
}

void exit_prompt()
{
    write_line(std::cout, "Press Enter to Exit.");
    std::cin.get();
    std::exit(0);
}
