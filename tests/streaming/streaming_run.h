#pragma once
// What a run of the real streaming program must show, and helpers that
// check it line by line.
#include "x_session.h"

#include <string>
#include <vector>

// Lines per display call on each stream.
const int report_lines = 17;

// The console up to and including the two empty lines after the
// init_report line, with the init_report line left out (index 18).
std::vector<std::string> expected_console_start(int threads);
// The results file up to the init_report line's two empty lines, with the
// init_report line left out (index 4).
std::vector<std::string> expected_results_start(int threads);
const int console_init_line = 17;
const int results_init_line = 4;

// Checks "For window: <id>, the system spent: <seconds> Secs to Initialize."
// followed by ending; returns the id.
int check_init_line(const std::string& line, const std::string& ending);

// Checks that lines[from..] is made of whole reports (17 lines each) of the
// window id, with consistent figures; returns the number of reports.
int check_reports(const std::vector<std::string>& lines, std::size_t from, std::size_t to, int window);

// One run of the program in its own working directory.
struct StreamingRun {
    // dir: from make_work_dir.
    StreamingRun(XServer& server, const std::string& dir, const std::vector<std::string>& env);
    std::string dir;
    WindowProgram program;
    int reports() const;
    // Waits for at least count reports in all.
    WaitResult wait_reports(int count);
    // Waits until the program has written every report that was due and
    // sleeps, waiting for events; returns the reports then. Call it once the
    // answer to the last input has been seen (or, for input that must do
    // nothing, use the window's wait_until_handled).
    int settle();
};
