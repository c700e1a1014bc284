#include "x_session.h"

#include "files.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

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

// The program's environment entries with the server's display.
std::vector<std::string> with_display(std::vector<std::string> env, const std::string& display)
{
    env.push_back("DISPLAY=" + display);
    return env;
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
    : ConsoleProgram(executable, work_dir, with_display(env, server.display_name())), server_(server)
{
}

WaitResult WindowProgram::find_window(const std::string& title)
{
    Display* display = server_.display();
    return wait_until("mapped window \"" + title + "\"", [&] {
        window_ = find_titled(display, DefaultRootWindow(display), title);
        // Mapped, so that input reaches it.
        XWindowAttributes attributes;
        return window_ && XGetWindowAttributes(display, window_, &attributes) &&
               attributes.map_state == IsViewable;
    });
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

WaitResult WindowProgram::wait_until_handled(std::uint64_t since)
{
    key("Shift_L");
    return wait_until_asleep(since);
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
