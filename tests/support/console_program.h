#pragma once
// One run of a benchmark executable as a child process: standard output
// goes to <work_dir>/console.txt, standard error to <work_dir>/stderr.txt,
// standard input is a pipe that stays open until close_input() or the end
// of the run.
//
// Tests never wait for a stretch of time. Besides the console text they can
// see what the program's main thread is blocked in (/proc/PID/syscall):
// waiting for window events with nothing left to do, or reading standard
// input at the prompt. Those are events a test can wait for on a machine of
// any speed and load.
//
// Every wait ends at its event. Its only bound, hang_timeout(), is there to
// end a test whose program hangs, and a wait that reaches it says what the
// program was doing then.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// What a wait returns: success once its event has come; otherwise a failure
// whose message names the event and tells what the program was doing: its
// threads' states and system calls, its CPU time, the machine's load, and
// its last console lines. It goes straight into ASSERT_TRUE / EXPECT_TRUE.
using WaitResult = ::testing::AssertionResult;

// Seconds a wait lets a program go without its event before calling it hung.
// Not an estimate of speed: minutes where the events of a loaded machine
// come within a minute, and more for builds that run through the user-mode
// emulator, where everything is many times slower.
double hang_timeout();

class ConsoleProgram {
public:
    // executable: a full path (benchmark_path("triangles")); env: extra
    // "NAME=value" entries (GALLIUM_NOOP=1, OMP_NUM_THREADS=3, DISPLAY=:5 ...),
    // which replace inherited entries of the same name.
    ConsoleProgram(const std::string& executable, const std::string& work_dir,
                   const std::vector<std::string>& env = {});
    // Kills the program if it still runs.
    virtual ~ConsoleProgram();
    ConsoleProgram(const ConsoleProgram&) = delete;
    ConsoleProgram& operator=(const ConsoleProgram&) = delete;

    // --- console and files
    std::string console() const;                    // everything written to stdout so far
    std::vector<std::string> console_lines() const; // the same, split into lines
    std::string file(const std::string& name) const; // a file of the working directory
    // Number of console lines equal to line, or starting with it if prefix.
    int count_lines(const std::string& line, bool prefix = false) const;
    // Waits until at least count console lines equal (or start with) line.
    // Fails when the program has ended before.
    WaitResult wait_for_lines(const std::string& line, int count, bool prefix = false);

    // --- what the program is doing
    // True while the program's main thread is blocked waiting for window
    // events: the GLUT main loop sleeps only when no idle callback is
    // installed, no redisplay is due and no event is unread. So every frame
    // that was due has been drawn and reported, and none will come until
    // the next input or window event.
    bool asleep();
    // The times the main thread has blocked so far. Taken before an input
    // is sent, it tells wait_until_asleep that the program must have woken
    // up and gone back to sleep since.
    std::uint64_t sleeps() const;
    // Waits until asleep() holds, having slept more than `since` times.
    // A program that has not yet woken up for an input still looks asleep:
    // pass sleeps() from before the input, or wait for the input's visible
    // effect first. Fails when the program has ended.
    WaitResult wait_until_asleep(std::uint64_t since = 0);
    // Waits until the main thread is blocked reading standard input, as at
    // "Press Enter to Exit.". Fails when it has ended.
    WaitResult wait_for_input_read();

    // --- standard input and the end of the run
    void send_input(const std::string& text);
    void close_input();
    // Waits for the program to end. exit_status() is then the exit code, or
    // 128 + signal number if it was killed.
    WaitResult wait_exit();
    bool running();
    int exit_status() const { return status_; }
    pid_t pid() const { return pid_; }

protected:
    // Polls condition until it holds (success), or the program has ended or
    // hang_timeout() has passed without it holding (a failure that names the
    // event and describes the program).
    WaitResult wait_until(const std::string& event, const std::function<bool()>& condition);
    // The program's threads and the machine (process_state), then the last
    // lines of its console and standard error.
    std::string what_it_was_doing() const;

private:
    // The main thread's current system call: its number, or -1 while it runs.
    long blocked_in(long* first_argument);

    std::string dir_;
    pid_t pid_ = -1;
    int input_ = -1;
    int status_ = -1;
    bool ended_ = false;
};
