#pragma once
// Reading the event log of libomp_probe.so (OMP_PROBE_EVENTS=1): what a run
// did, in order, as one word per event: "wtime" (a wall-clock reading),
// "parallel_begin", "parallel_end", "console" (console output), "flush" (a
// console line ended by its flush) and "write" (a write to a regular file).
#include <string>
#include <vector>

// The environment entries that preload the probe and log to log_path.
std::vector<std::string> probe_environment(const std::string& log_path);

std::vector<std::string> probe_events(const std::string& log_path);

// Positions of the "wtime" events.
std::vector<std::size_t> clock_readings(const std::vector<std::string>& events);

// The events strictly between positions from and to.
std::vector<std::string> events_between(const std::vector<std::string>& events, std::size_t from, std::size_t to);
