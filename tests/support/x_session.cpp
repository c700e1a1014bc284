#include "x_session.h"

#include "files.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

double now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void pause_briefly()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

// X errors (a window that went away between two calls) must not end the
// test process; the calls simply have no effect then.
int ignore_x_error(Display*, XErrorEvent*)
{
    return 0;
}

std::string window_name(Display* display, Window window)
{
    char* name = nullptr;
    std::string text;
    if (XFetchName(display, window, &name) && name) {
        text = name;
        XFree(name);
    }
    return text;
}

Window find_titled(Display* display, Window parent, const std::string& title)
{
    Window root_return, parent_return;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root_return, &parent_return, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int n = 0; n < count && !found; ++n) {
        if (window_name(display, children[n]) == title)
            found = children[n];
        else
            found = find_titled(display, children[n], title);
    }
    if (children)
        XFree(children);
    return found;
}

} // namespace

XServer::XServer()
{
    int ready[2];
    if (pipe(ready) != 0)
        throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ == 0) {
        close(ready[0]);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        const std::string fd = std::to_string(ready[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    // Xvfb writes its display number to the descriptor once it accepts clients.
    std::string number;
    char c;
    while (read(ready[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(ready[0]);
    if (number.empty())
        throw std::runtime_error("Xvfb did not start");
    name_ = ":" + number;
    XSetErrorHandler(ignore_x_error);
    display_ = XOpenDisplay(name_.c_str());
    if (!display_)
        throw std::runtime_error("cannot open display " + name_);
}

XServer::~XServer()
{
    if (display_)
        XCloseDisplay(display_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

WindowProgram::WindowProgram(XServer& server, const std::string& executable, const std::string& work_dir,
                             const std::vector<std::string>& env)
    : server_(server), dir_(work_dir)
{
    int input[2];
    if (pipe(input) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        if (std::strncmp(*entry, "DISPLAY=", 8) != 0)
            environment.push_back(*entry);
    }
    environment.push_back("DISPLAY=" + server.display_name());
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

WindowProgram::~WindowProgram()
{
    if (input_ >= 0)
        close(input_);
    if (running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::string WindowProgram::console() const
{
    return read_file(dir_ + "/console.txt");
}

std::vector<std::string> WindowProgram::console_lines() const
{
    return split_lines(console());
}

std::string WindowProgram::file(const std::string& name) const
{
    return read_file(dir_ + "/" + name);
}

int WindowProgram::count_lines(const std::string& line, bool prefix) const
{
    int count = 0;
    for (const std::string& text : console_lines())
        if (prefix ? text.rfind(line, 0) == 0 : text == line)
            ++count;
    return count;
}

bool WindowProgram::wait_for_lines(const std::string& line, int count, double timeout_seconds, bool prefix)
{
    const double end = now() + timeout_seconds;
    for (;;) {
        if (count_lines(line, prefix) >= count)
            return true;
        if (!running())
            return count_lines(line, prefix) >= count;
        if (now() > end)
            return false;
        pause_briefly();
    }
}

bool WindowProgram::wait_for_quiet(double quiet_seconds, double timeout_seconds)
{
    const double end = now() + timeout_seconds;
    std::string::size_type size = console().size();
    double since = now();
    for (;;) {
        pause_briefly();
        const std::string::size_type grown = console().size();
        if (grown != size) {
            size = grown;
            since = now();
        } else if (now() - since >= quiet_seconds) {
            return true;
        }
        if (now() > end)
            return false;
    }
}

bool WindowProgram::find_window(const std::string& title, double timeout_seconds)
{
    Display* display = server_.display();
    const double end = now() + timeout_seconds;
    while (now() < end) {
        window_ = find_titled(display, DefaultRootWindow(display), title);
        if (window_) {
            // Wait until it is mapped, so input reaches it.
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, window_, &attributes) && attributes.map_state == IsViewable)
                return true;
        }
        if (!running())
            return false;
        pause_briefly();
    }
    return false;
}

void WindowProgram::window_size(int* width, int* height) const
{
    XWindowAttributes attributes;
    XGetWindowAttributes(server_.display(), window_, &attributes);
    *width = attributes.width;
    *height = attributes.height;
}

void WindowProgram::key(const std::string& keysym_name)
{
    Display* display = server_.display();
    const KeySym keysym = XStringToKeysym(keysym_name.c_str());
    if (keysym == NoSymbol)
        throw std::runtime_error("unknown key " + keysym_name);
    const KeyCode code = XKeysymToKeycode(display, keysym);
    const bool shifted = XkbKeycodeToKeysym(display, code, 0, 0) != keysym;
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    XSetInputFocus(display, window_, RevertToPointerRoot, CurrentTime);
    if (shifted)
        XTestFakeKeyEvent(display, shift, True, CurrentTime);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    if (shifted)
        XTestFakeKeyEvent(display, shift, False, CurrentTime);
    XSync(display, False);
}

namespace {

void pointer_to_centre(Display* display, Window window)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), attributes.width / 2,
                          attributes.height / 2, &x, &y, &child);
    XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
}

} // namespace

void WindowProgram::click(int button)
{
    press(button);
    release(button);
}

void WindowProgram::press(int button)
{
    Display* display = server_.display();
    pointer_to_centre(display, window_);
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    XSync(display, False);
}

void WindowProgram::release(int button)
{
    Display* display = server_.display();
    pointer_to_centre(display, window_);
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    XSync(display, False);
}

void WindowProgram::resize(int width, int height)
{
    XResizeWindow(server_.display(), window_, width, height);
    XSync(server_.display(), False);
}

void WindowProgram::close_window()
{
    Display* display = server_.display();
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window_, False, NoEventMask, &event);
    XSync(display, False);
}

Screenshot WindowProgram::screenshot() const
{
    Display* display = server_.display();
    Screenshot shot;
    window_size(&shot.width, &shot.height);
    XImage* image = XGetImage(display, window_, 0, 0, shot.width, shot.height, AllPlanes, ZPixmap);
    if (!image)
        return shot;
    shot.pixels.resize(static_cast<std::size_t>(shot.width) * shot.height);
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            shot.pixels[static_cast<std::size_t>(y) * shot.width + x] =
                static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF);
    XDestroyImage(image);
    return shot;
}

void WindowProgram::send_input(const std::string& text)
{
    if (input_ >= 0 && write(input_, text.data(), text.size()) < 0) {
        // The program has gone; nothing to deliver.
    }
}

void WindowProgram::close_input()
{
    if (input_ >= 0)
        close(input_);
    input_ = -1;
}

bool WindowProgram::running()
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

bool WindowProgram::wait_exit(double timeout_seconds)
{
    const double end = now() + timeout_seconds;
    while (running()) {
        if (now() > end)
            return false;
        pause_briefly();
    }
    return true;
}
