#include "results_file.h"

#include "build_texts.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

void hold_console_descriptors()
{
    // A program started with standard output closed would otherwise get
    // descriptor 1 for its results file, and every console line would then be
    // written into the file. A closed descriptor is taken by /dev/null opened
    // read-only, so console writes keep failing as they would have, and reads
    // see end of input at once.
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int held = open("/dev/null", O_RDONLY);
        if (held >= 0 && held != fd) {
            dup2(held, fd);
            close(held);
        }
    }
    // A console pipe whose reader has gone must only fail the console stream,
    // not end the process: the run goes on and its results file is completed.
    std::signal(SIGPIPE, SIG_IGN);
}

std::ofstream open_results(const char* program)
{
    hold_console_descriptors();
    return std::ofstream(results_file_name(program));
}
