#pragma once
// The results stream: a text file in the current directory, created or
// emptied at every start. A file that cannot be opened is never reported; the
// stream's fail bit is set and every later write to it is dropped.
#include <fstream>

// Opens "results_<program>_<bits>.txt" for writing. First it makes sure that
// standard input, output and error are open descriptors and that a console
// pipe whose reader has gone cannot kill the run (see results_file.cpp).
std::ofstream open_results(const char* program);

// Keeps descriptors 0 to 2 taken and ignores SIGPIPE; called by open_results.
void hold_console_descriptors();
