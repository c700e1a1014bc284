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
#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

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
    // Returns false on timeout or when the program has ended before.
    bool wait_for_lines(const std::string& line, int count, double timeout_seconds, bool prefix = false);

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
    // effect first. False on timeout or when the program has ended.
    bool wait_until_asleep(double timeout_seconds, std::uint64_t since = 0);
    // Waits until the main thread is blocked reading standard input, as at
    // "Press Enter to Exit.". False on timeout or when it has ended.
    bool wait_for_input_read(double timeout_seconds);

    // --- standard input and the end of the run
    void send_input(const std::string& text);
    void close_input();
    // Waits for the program to end; false on timeout. exit_status() is the
    // exit code, or 128 + signal number if it was killed.
    bool wait_exit(double timeout_seconds);
    bool running();
    int exit_status() const { return status_; }
    pid_t pid() const { return pid_; }

protected:
    // Polls condition until it holds (true), or the program has ended or the
    // timeout has passed without it holding (false).
    bool wait_until(double timeout_seconds, const std::function<bool()>& condition);

private:
    // The main thread's current system call: its number, or -1 while it runs.
    long blocked_in(long* first_argument);

    std::string dir_;
    pid_t pid_ = -1;
    int input_ = -1;
    int status_ = -1;
    bool ended_ = false;
};
