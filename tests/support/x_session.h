#pragma once
// Test harness for the graphics programs: each test starts its own Xvfb,
// runs the real benchmark in it with a pipe on standard input, finds its
// window by title and drives it as a user would, with real (XTEST) key
// presses and button clicks, resizes, and the window manager's close message.
// Tests may run side by side: every XServer picks a free display, and every
// program runs in its own working directory.
#include "console_program.h"

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

// Xlib's types, declared here so that tests need not include Xlib, whose
// macros (None, Bool, Status) clash with GoogleTest.
struct _XDisplay;

// An Xvfb server (1280 x 1024, 24-bit) for the life of the object.
class XServer {
public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& display_name() const { return name_; }   // ":N"
    _XDisplay* display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string name_;
    _XDisplay* display_ = nullptr;
};

// The pixels of a window: 0xRRGGBB per pixel, row by row from the top.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// One run of a benchmark executable on an XServer (see ConsoleProgram for
// the console, standard input, what the program is doing and the end of the
// run).
class WindowProgram : public ConsoleProgram {
public:
    // executable: a full path (benchmark_path("triangles")); env: extra
    // "NAME=value" entries (GALLIUM_NOOP=1, OMP_NUM_THREADS=3, ...).
    WindowProgram(XServer& server, const std::string& executable, const std::string& work_dir,
                  const std::vector<std::string>& env = {});

    // --- the window
    // Waits for the top-level window with this exact title (WM_NAME), mapped.
    // Every input call below needs it.
    WaitResult find_window(const std::string& title);
    unsigned long window() const { return window_; }
    // Size of the window as the X server has it.
    void window_size(int* width, int* height) const;

    // A key typed on the focused window: press and release, with Shift held
    // for upper-case letters. Names are X keysym names: "r", "R", "C",
    // "Escape", "space", "1", "q".
    void key(const std::string& keysym_name);
    // Pointer to the window's centre, then button press and/or release
    // (1 left, 2 middle, 3 right, 4 and 5 the wheel).
    void click(int button);
    void press(int button);
    void release(int button);
    // Resizes the window as a user dragging its border would.
    void resize(int width, int height);
    // WM_PROTOCOLS / WM_DELETE_WINDOW, as the close button of a window
    // manager sends it.
    void close_window();
    // The window's current pixels.
    Screenshot screenshot() const;

    // For input that must do nothing: presses Shift, which no program
    // answers, so that there is an event to wake up for even where the input
    // made none (a button release without its press reaches no window), then
    // waits until the program has slept more than `since` times (sleeps()
    // from before the input) and sleeps again. A failure means the program
    // did not go back to sleep: frames go on.
    WaitResult wait_until_handled(std::uint64_t since);

private:
    XServer& server_;
    unsigned long window_ = 0;   // the X window id
};
