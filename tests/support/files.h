#pragma once
// Small helpers of the tests: paths of the built benchmarks, scratch working
// directories, reading files, running shell commands.
#include <string>
#include <vector>

// Full path of the benchmark executable of this tree, e.g. ".../bin/screens_64".
std::string benchmark_path(const std::string& program);
// Path of a helper built next to the tests of this tree.
std::string helper_path(const std::string& name);

// A new empty directory for one test, under the build tree.
std::string make_work_dir(const std::string& name);

bool file_exists(const std::string& path);
std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& text);
// The lines of a text, each without its newline. A text that does not end
// with a newline gets its unterminated rest as the last line.
std::vector<std::string> split_lines(const std::string& text);

// Runs the command with bash in the given directory and returns its exit
// status (128 + signal number if it was killed).
int run_shell(const std::string& command, const std::string& dir);
// Single-quotes a word for bash.
std::string shell_quote(const std::string& word);

// True where this tree's executables run through the user-mode emulator
// (32-bit builds on a kernel without 32-bit support).
bool runs_emulated();
// A shell prefix that limits the address space of the next command to about
// this many kilobytes: ulimit -v natively; under the emulator, which needs a
// large address space of its own, the size of the emulated address space.
std::string address_space_limit(long kilobytes);
