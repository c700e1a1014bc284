#include "console_program.h"

#include "files.h"
#include "process_state.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// A wait's bound where the programs run natively, and where the 32-bit
// builds run through the emulator. Natively, loaded machines were seen to
// take up to a minute for a start-up and 4 s for an exit. Emulated, the
// software renderer's compiler runs emulated too: one really rendered
// triangles frame was seen to take 850 s beside the other tests of its tree.
const double native_hang_timeout = 600.0;
const double emulated_hang_timeout = 7200.0;

// How many lines of the console and of standard error a failed wait shows,
// and how much of each (the screens line is 131,072 characters).
const std::size_t console_tail = 12;
const std::size_t stderr_tail = 6;
const std::size_t shown_width = 160;

double now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void pause_briefly()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

// The name of an environment entry, "NAME" of "NAME=value".
std::string entry_name(const std::string& entry)
{
    return entry.substr(0, entry.find('='));
}

// System call numbers as /proc/PID/syscall shows them: x86-64 numbers for a
// 64-bit process (the user-mode emulator of 32-bit programs is one), i386
// numbers for a 32-bit process on a kernel that runs them natively. The
// numbers of one table that appear in the other belong to calls that never
// block (setuid, tgkill, rename, sched_setparam, setns, lseek, close).
bool is_select(long call)
{
    switch (call) {
    case 23:    // x86-64 select
    case 270:   // x86-64 pselect6
    case 82:    // i386 select
    case 142:   // i386 _newselect
    case 308:   // i386 pselect6
    case 413:   // i386 pselect6_time64
        return true;
    default:
        return false;
    }
}

bool is_read(long call)
{
    switch (call) {
    case 0:     // x86-64 read
    case 19:    // x86-64 readv
    case 3:     // i386 read
    case 145:   // i386 readv
        return true;
    default:
        return false;
    }
}

// The last count lines, each indented behind "| " and cut short.
std::string tail(const std::vector<std::string>& lines, std::size_t count)
{
    std::string shown;
    for (std::size_t n = lines.size() > count ? lines.size() - count : 0; n < lines.size(); ++n) {
        shown += "  | " + lines[n].substr(0, shown_width);
        if (lines[n].size() > shown_width)
            shown += " ... (" + std::to_string(lines[n].size()) + " characters)";
        shown += "\n";
    }
    return shown;
}

// Seconds since the file was last written.
double age(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return -1.0;
    const double written = static_cast<double>(info.st_mtim.tv_sec) + info.st_mtim.tv_nsec * 1e-9;
    timespec clock;
    clock_gettime(CLOCK_REALTIME, &clock);
    return static_cast<double>(clock.tv_sec) + clock.tv_nsec * 1e-9 - written;
}

} // namespace

double hang_timeout()
{
    return runs_emulated() ? emulated_hang_timeout : native_hang_timeout;
}

ConsoleProgram::ConsoleProgram(const std::string& executable, const std::string& work_dir,
                               const std::vector<std::string>& env)
    : dir_(work_dir)
{
    int input[2];
    if (pipe(input) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        bool replaced = false;
        for (const std::string& given : env)
            replaced = replaced || entry_name(given) == entry_name(*entry);
        if (!replaced)
            environment.push_back(*entry);
    }
    for (const std::string& entry : env)
        environment.push_back(entry);

    pid_ = fork();
    if (pid_ == 0) {
        if (chdir(work_dir.c_str()) != 0)
            _exit(126);
        dup2(input[0], 0);
        close(input[0]);
        close(input[1]);
        const int out = open("console.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        close(out);
        close(err);
        std::vector<char*> envp;
        for (std::string& entry : environment)
            envp.push_back(&entry[0]);
        envp.push_back(nullptr);
        execle(executable.c_str(), executable.c_str(), static_cast<char*>(nullptr), envp.data());
        _exit(127);
    }
    close(input[0]);
    input_ = input[1];
    // The program keeps running whatever the test writes to a closed pipe.
    std::signal(SIGPIPE, SIG_IGN);
}

ConsoleProgram::~ConsoleProgram()
{
    if (input_ >= 0)
        close(input_);
    if (running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::string ConsoleProgram::console() const
{
    return read_file(dir_ + "/console.txt");
}

std::vector<std::string> ConsoleProgram::console_lines() const
{
    return split_lines(console());
}

std::string ConsoleProgram::file(const std::string& name) const
{
    return read_file(dir_ + "/" + name);
}

int ConsoleProgram::count_lines(const std::string& line, bool prefix) const
{
    int count = 0;
    for (const std::string& text : console_lines())
        if (prefix ? text.rfind(line, 0) == 0 : text == line)
            ++count;
    return count;
}

WaitResult ConsoleProgram::wait_until(const std::string& event, const std::function<bool()>& condition)
{
    const double start = now();
    const double end = start + hang_timeout();
    for (;;) {
        if (condition())
            return ::testing::AssertionSuccess();
        if (!running()) {
            if (condition())
                return ::testing::AssertionSuccess();
            return ::testing::AssertionFailure() << "no " << event << ": the program ended first, with status "
                                                 << status_ << ", " << now() - start << " s into the wait\n"
                                                 << what_it_was_doing();
        }
        if (now() > end)
            return ::testing::AssertionFailure() << "no " << event << " within " << hang_timeout()
                                                 << " s, and the program still runs\n" << what_it_was_doing();
        pause_briefly();
    }
}

std::string ConsoleProgram::what_it_was_doing() const
{
    std::ostringstream text;
    if (!ended_)
        text << process_state(pid_);
    const std::string console_path = dir_ + "/console.txt";
    const std::vector<std::string> lines = console_lines();
    text << "console: " << lines.size() << " lines, last written " << age(console_path) << " s ago; the last "
         << std::min(lines.size(), console_tail) << ":\n"
         << tail(lines, console_tail);
    const std::vector<std::string> errors = split_lines(read_file(dir_ + "/stderr.txt"));
    if (!errors.empty())
        text << "standard error, the last lines:\n" << tail(errors, stderr_tail);
    return text.str();
}

WaitResult ConsoleProgram::wait_for_lines(const std::string& line, int count, bool prefix)
{
    std::ostringstream event;
    event << (count == 1 ? "console line " : std::to_string(count) + " console lines ")
          << (prefix ? "starting with \"" : "\"") << line << '"';
    return wait_until(event.str(), [&] { return count_lines(line, prefix) >= count; });
}

long ConsoleProgram::blocked_in(long* first_argument)
{
    // "NR ARG1 ARG2 ... SP PC" while blocked in a call, "running" otherwise.
    std::istringstream text(read_file("/proc/" + std::to_string(pid_) + "/syscall"));
    long call = -1;
    std::string argument;
    if (!(text >> call >> argument))
        return -1;
    *first_argument = std::strtol(argument.c_str(), nullptr, 16);
    return call;
}

bool ConsoleProgram::asleep()
{
    long argument = 0;
    return running() && is_select(blocked_in(&argument));
}

std::uint64_t ConsoleProgram::sleeps() const
{
    // The main thread's own count: blocking in any call counts, and the
    // GLUT loop blocks each time it goes back to waiting for events.
    std::ifstream status("/proc/" + std::to_string(pid_) + "/task/" + std::to_string(pid_) + "/status");
    std::string line;
    const std::string key = "voluntary_ctxt_switches:";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::strtoull(line.c_str() + key.size(), nullptr, 10);
    return 0;
}

WaitResult ConsoleProgram::wait_until_asleep(std::uint64_t since)
{
    return wait_until("sleep waiting for window events, after " + std::to_string(since) + " blocking calls",
                      [&] { return sleeps() > since && asleep(); });
}

WaitResult ConsoleProgram::wait_for_input_read()
{
    return wait_until("read of standard input", [&] {
        long fd = -1;
        return is_read(blocked_in(&fd)) && fd == 0;
    });
}

void ConsoleProgram::send_input(const std::string& text)
{
    if (input_ >= 0 && write(input_, text.data(), text.size()) < 0) {
        // The program has gone; nothing to deliver.
    }
}

void ConsoleProgram::close_input()
{
    if (input_ >= 0)
        close(input_);
    input_ = -1;
}

bool ConsoleProgram::running()
{
    if (ended_)
        return false;
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
        ended_ = true;
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    return true;
}

WaitResult ConsoleProgram::wait_exit()
{
    return wait_until("exit", [&] { return !running(); });
}
