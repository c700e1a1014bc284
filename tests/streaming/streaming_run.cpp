#include "streaming_run.h"

#include "build_texts.h"
#include "element_values.h"
#include "files.h"
#include "report_checks.h"
#include "text_blocks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sys/stat.h>

std::vector<std::string> expected_console_start(int threads)
{
    std::vector<std::string> lines = {"", banner("Graphics Streaming"), maker_line, support_line, "", "", "",
                                      thread_line_text(threads), ""};
    for (int n = 0; n < 4; ++n)
        lines.push_back(run_key_help[n]);
    for (const char* line : {"", "", "Initializing . . .", "", "(init_report)", "", ""})
        lines.push_back(line);
    return lines;
}

std::vector<std::string> expected_results_start(int threads)
{
    return {banner("Graphics Streaming"), "", thread_line_text(threads), "", "(init_report)", "", ""};
}

int check_init_line(const std::string& line, const std::string& ending)
{
    const std::string prefix = "For window: ";
    const std::string::size_type comma = line.find(", the system spent: ");
    EXPECT_EQ(line.rfind(prefix, 0), 0u) << line;
    EXPECT_NE(comma, std::string::npos) << line;
    if (comma == std::string::npos)
        return -1;
    const int window = std::atoi(line.substr(prefix.size(), comma - prefix.size()).c_str());
    const double seconds =
        number_in(line.substr(comma), ", the system spent: ", " Secs to Initialize." + ending);
    EXPECT_TRUE(seconds > 0.0) << '"' << line << '"';
    return window;
}

int check_reports(const std::vector<std::string>& lines, std::size_t from, std::size_t to, int window)
{
    EXPECT_EQ((to - from) % report_lines, 0u) << "lines " << from << " to " << to;
    const char* const headings[3] = {"Float Streaming.", "Integer Streaming.", "Logic Streaming."};
    const char* const labels[3] = {"The system spent: ", "The system spent: ", "The spent: "};
    int reports = 0;
    int faults = 0;
    for (std::size_t at = from; at + report_lines <= to && faults < 5; at += report_lines, ++reports) {
        for (int block = 0; block < 3; ++block) {
            const std::size_t b = at + 5 * block;
            const double seconds = number_in(lines[b + 2], labels[block], " Secs. ");
            const double millions = number_in(lines[b + 3], "It was: ", " Millions Executions/sec.");
            const double expected = static_cast<double>(execution_count) / seconds / 1e6;
            const bool ok = lines[b] == "window: " + std::to_string(window) && lines[b + 1] == headings[block] &&
                            seconds >= 0.0 && lines[b + 4].empty() &&
                            (std::isinf(expected) ? std::isinf(millions) : std::fabs(millions / expected - 1) < 2e-5);
            if (!ok) {
                ++faults;
                ADD_FAILURE() << "report at line " << at << ", block " << block << ": \"" << lines[b] << "\" \""
                              << lines[b + 1] << "\" \"" << lines[b + 2] << "\" \"" << lines[b + 3] << "\"";
            }
        }
        if (!lines[at + 15].empty() || !lines[at + 16].empty()) {
            ++faults;
            ADD_FAILURE() << "report at line " << at << " does not end with two empty lines";
        }
    }
    return reports;
}

StreamingRun::StreamingRun(XServer& server, const std::string& dir, const std::vector<std::string>& env)
    : dir(dir), program(server, benchmark_path("streaming"), dir, env)
{
}

int StreamingRun::reports() const
{
    return program.count_lines("Logic Streaming.");
}

WaitResult StreamingRun::wait_reports(int count)
{
    return program.wait_for_lines("Logic Streaming.", count);
}

int StreamingRun::settle()
{
    EXPECT_TRUE(program.wait_until_asleep()) << "reports go on by themselves";
    return reports();
}
