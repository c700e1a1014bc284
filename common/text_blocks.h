#pragma once
// The text blocks that open and close every run. A line is its text, a
// newline and a flush of the stream it goes to; an empty line is the newline
// and the flush alone. Report lines go to the console first, then with the
// same text to the results file.
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

void write_line(std::ostream& out, const std::string& text);
void write_empty_lines(std::ostream& out, int count);

extern const char* const maker_line;
extern const char* const support_line;

// Console: an empty line, the banner, maker_line, support_line, three empty lines.
void console_header(const std::string& banner);

// "Thread(s): <count>".
std::string thread_line_text(int count);
// thread_line_text of the OpenMP maximum thread count, read at this moment,
// then an empty line.
void thread_line(std::ostream& out);

// Results file, graphics programs: banner, empty line, thread_line, empty line.
void results_header(std::ostream& results, const std::string& banner);
// Results file, screens program: banner, empty line.
void results_header_short(std::ostream& results, const std::string& banner);

// The four key-help lines in the wording of the triangles and cube programs
// ("... to Animate.") and of the streaming program ("... to Run Automatically.").
extern const char* const animate_key_help[4];
extern const char* const run_key_help[4];
// Console: the four lines, then two empty lines.
void key_help(const char* const lines[4]);

// Console: "Initializing . . ." and an empty line.
void init_notice();

// "It spent: <seconds> Secs to Initialize." (triangles).
std::string init_report_text(double init_time);
// "For window: <id>, the system spent: <seconds> Secs to Initialize." (cube, streaming).
std::string window_init_report_text(int window, double init_time);

// The triangles init_report: the line and two empty lines, to the console
// and then to the results file.
void init_report(std::ostream& results, double init_time);
// The "For window: " init_report; the window id is asked of current_window
// anew for each copy, and file_ending is appended to the file copy's line
// only (the streaming program's file line ends with one more blank).
void window_init_report(std::ostream& results, int (*current_window)(), double init_time,
                        const char* file_ending);

// A summary: its lines and an empty line to the console, then the same to
// the results file.
void summary_block(std::ostream& results, const std::vector<std::string>& lines);

// The end of a graphics program's main, reached only if the GLUT main loop
// returns: an empty line to the console and one to the results file, the
// file closed, one character read without a prompt, exit with status 0.
[[noreturn]] void main_loop_returned(std::ofstream& results);

// Console: "Press Enter to Exit.", then one character read from standard
// input (end of input returns at once), then exit with status 0.
[[noreturn]] void exit_prompt();
