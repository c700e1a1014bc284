#pragma once
// What a run of the real streaming program must show, and helpers that
// check it line by line.
#include "x_session.h"

#include <string>
#include <vector>

// Lines per display call on each stream.
const int report_lines = 17;

// Seconds to wait for the start-up (the workloads; the 32-bit build runs emulated).
double start_timeout();

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
    // dir: from make_work_dir; executable: the program itself unless given.
    StreamingRun(XServer& server, const std::string& dir, const std::vector<std::string>& env,
                 const std::string& executable = "");
    std::string dir;
    WindowProgram program;
    int reports() const;
    // Waits for at least count reports in all.
    bool wait_reports(int count, double timeout);
    // Waits until the output stops; returns the reports then.
    int settle();
};

// "<dir>/run.sh": a shell script running the build's program after the given
// shell lines (ulimit, a tracer in front of it with "$program").
std::string wrapper_script(const std::string& dir, const std::string& lines);
