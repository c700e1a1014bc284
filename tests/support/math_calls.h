#pragma once
// Reading the log of libmath_probe.so: the math routines a benchmark itself
// called, one character per call ('a' atan, 's' sin, 'c' cos, 'S' sincos,
// 't' tan), split at its clock readings.
#include <string>
#include <vector>

// The environment entries that preload the probe and log to log_path.
std::vector<std::string> math_probe_environment(const std::string& log_path);

struct MathCalls {
    // The main thread's calls inside each timed interval: timed[n] lies
    // between clock readings 2n and 2n + 1.
    std::vector<std::string> timed;
    // The main thread's calls outside them: untimed[n] comes before interval
    // n, the last entry after the last reading. With an even number of
    // readings there is one more of these than of timed intervals.
    std::vector<std::string> untimed;
    // Calls from the program on other threads; -1 if the log has no count,
    // that is if the run did not end through the process exit.
    long other_threads = -1;
};

MathCalls read_math_calls(const std::string& log_path);

// Empty if calls is unit repeated count times; otherwise a short account of
// where it departs from that (the sequences can be millions of calls long).
std::string repetition_mismatch(const std::string& calls, const std::string& unit, long count);

// The start of a long call sequence and its length, for failure messages.
std::string excerpt(const std::string& calls);
