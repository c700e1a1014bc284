#pragma once
// What a running program is doing, as /proc shows it: for the message of a
// wait that gave up, so that the log alone tells a hung program (threads
// blocked, no CPU time spent) from a slow or overloaded machine (threads
// running, CPU time growing, a high load average).
#include <string>
#include <sys/types.h>

// The process's state, threads, CPU time and size, then one line per
// thread: its name, state, wait channel and the system call it is in.
// Also the machine's load average and available memory.
std::string process_state(pid_t pid);
