// The real cube program in its own Xvfb, driven with real key presses and
// button clicks; its console and results file compared line by line.
#include <gtest/gtest.h>

#include "files.h"
#include "math_calls.h"
#include "probe_log.h"
#include "report_checks.h"
#include "x_session.h"

#include "build_texts.h"
#include "text_blocks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <sys/stat.h>

namespace {

const std::vector<std::string> no_rendering = {"GALLIUM_NOOP=1"};

std::string title() { return window_title("Cube"); }
std::string results_name() { return results_file_name("cube"); }

// Frames reported on the console so far.
int frames(const WindowProgram& program)
{
    return program.count_lines("window: ", true);
}

// Waits until the program has reported more than `before` frames and then
// drawn every frame that was due (it sleeps, waiting for events); returns
// the frame count then.
int frames_after(WindowProgram& program, int before)
{
    EXPECT_TRUE(program.wait_for_lines("window: ", before + 1, true));
    EXPECT_TRUE(program.wait_until_asleep()) << "frames go on by themselves";
    return frames(program);
}

// Lines of the console up to and including the init report's two empty lines.
std::vector<std::string> console_start(int threads, const std::string& init_line)
{
    return {"",
            banner("Graphics Cube"),
            maker_line,
            support_line,
            "",
            "",
            "",
            "Thread(s): " + std::to_string(threads),
            "",
            "Press Key R or Press Mouse Left button to Animate.",
            "Press Key C to Animate Manually.",
            "Press Key P or Press Mouse Right button for Pause.",
            "Press Key Esc for exit.",
            "",
            "",
            "Initializing . . .",
            "",
            init_line,
            "",
            ""};
}

std::vector<std::string> results_start(int threads, const std::string& init_line)
{
    return {banner("Graphics Cube"), "", "Thread(s): " + std::to_string(threads), "", init_line, "", ""};
}

struct Report {
    std::vector<std::string> start;    // up to the first frame
    std::vector<std::string> frames;   // the five-line frame blocks
    std::vector<std::string> rest;     // whatever follows the last block
    double frame_time_sum = 0.0;
    int count = 0;
};

// Splits a stream's lines into the start, the frame blocks and the rest,
// checking every block: four report lines whose rates agree with the frame
// time, then an empty line.
Report split_report(const std::vector<std::string>& lines, std::size_t start_length, int window)
{
    Report report;
    std::size_t n = 0;
    for (; n < lines.size() && n < start_length; ++n)
        report.start.push_back(lines[n]);
    while (n + 5 <= lines.size() && lines[n].rfind("window: ", 0) == 0) {
        EXPECT_EQ(lines[n], "window: " + std::to_string(window));
        const double time = number_in(lines[n + 1], "The system spent: ", " Secs. ");
        const double angles = number_in(lines[n + 2], "It was: ", " Angles/sec.");
        const double vertices = number_in(lines[n + 3], "It was: ", " Vertex/sec.");
        EXPECT_GT(time, 0.0);
        EXPECT_NEAR(angles * time, 1.0, 2e-5) << lines[n + 2];
        EXPECT_NEAR(vertices * time / 16777216.0, 1.0, 2e-5) << lines[n + 3];
        EXPECT_EQ(lines[n + 4], "");
        for (std::size_t m = n; m < n + 5; ++m)
            report.frames.push_back(lines[m]);
        report.frame_time_sum += time;
        ++report.count;
        n += 5;
    }
    for (; n < lines.size(); ++n)
        report.rest.push_back(lines[n]);
    return report;
}

// The summary of the reported frames: three lines and an empty one, the
// averages over the summed frame times.
void expect_summary(const std::vector<std::string>& lines, const Report& report)
{
    ASSERT_GE(lines.size(), 4u);
    const double total = number_in(lines[0], "Total running time:  ", " Secs. ");
    const double angles = number_in(lines[1], "Average Angles/Sec: ", " Angles/Sec.");
    const double vertices = number_in(lines[2], "Average Vertex/Sec: ", " Vertex/Sec.");
    EXPECT_NEAR(total, report.frame_time_sum, 1e-5 * report.count * total + 1e-9);
    EXPECT_NEAR(angles * total / report.count, 1.0, 2e-5);
    EXPECT_NEAR(vertices * total / (16777216.0 * report.count), 1.0, 2e-5);
    EXPECT_EQ(lines[3], "");
}

std::string init_line_of(const std::vector<std::string>& console)
{
    if (console.size() < 18)
        return "";
    const std::string line = console[17];
    EXPECT_TRUE(std::regex_match(line, std::regex("For window: 1, the system spent: [0-9.e+]+ Secs to Initialize\\.")))
        << line;
    return line;
}

} // namespace

// Start-up texts, the thread count, the window, the first frames, then Esc
// with its summary and the wait for one character.
TEST(CubeWindow, StartUpFramesAndEsc)
{
    struct Case {
        const char* threads_env;
        int threads;
    };
    for (const Case c : {Case{"OMP_NUM_THREADS=16", 8}, Case{"OMP_NUM_THREADS=3", 3}}) {
        SCOPED_TRACE(c.threads_env);
        XServer server;
        const std::string dir = make_work_dir("cube_start");
        const std::string probe_log = dir + "/omp_probe.log";
        write_file(dir + "/" + results_name(), "left over from an earlier run\n");
        WindowProgram program(server, benchmark_path("cube"), dir,
                              {"GALLIUM_NOOP=1", c.threads_env, "LD_PRELOAD=" + helper_path("libomp_probe.so"),
                               "OMP_PROBE_LOG=" + probe_log});
        ASSERT_TRUE(program.find_window(title()));
        // The window appears only after the notice, and the list is compiled
        // (and reported) only after the window exists.
        const std::string at_window = program.console();
        EXPECT_NE(at_window.find("Initializing . . .\n\n"), std::string::npos) << at_window;
        EXPECT_EQ(at_window.find("For window: "), std::string::npos) << at_window;
        int width = 0, height = 0;
        program.window_size(&width, &height);
        EXPECT_EQ(width, 720);
        EXPECT_EQ(height, 720);

        ASSERT_TRUE(program.wait_for_lines("window: ", 1, true));
        frames_after(program, 0);
        EXPECT_EQ(read_file(probe_log), "omp_set_num_threads " + std::to_string(c.threads) + "\n");

        program.key("Escape");
        ASSERT_TRUE(program.wait_for_lines("Press Enter to Exit.", 1));
        // The prompt waits for a character.
        EXPECT_TRUE(program.wait_for_input_read()) << "no wait for a character";
        program.send_input("\n");
        ASSERT_TRUE(program.wait_exit());
        EXPECT_EQ(program.exit_status(), 0);

        const std::vector<std::string> console = program.console_lines();
        const std::string init_line = init_line_of(console);
        const Report on_console = split_report(console, 20, 1);
        EXPECT_EQ(on_console.start, console_start(c.threads, init_line));
        EXPECT_GE(on_console.count, 1);
        ASSERT_EQ(on_console.rest.size(), 5u);
        expect_summary(on_console.rest, on_console);
        EXPECT_EQ(on_console.rest[4], "Press Enter to Exit.");

        const std::string file = program.file(results_name());
        EXPECT_EQ(file.back(), '\n');
        const Report in_file = split_report(split_lines(file), 7, 1);
        EXPECT_EQ(in_file.start, results_start(c.threads, init_line));
        EXPECT_EQ(in_file.frames, on_console.frames);
        // Same summary text as on the console, then nothing more.
        EXPECT_EQ(in_file.rest, std::vector<std::string>(on_console.rest.begin(), on_console.rest.begin() + 4));
    }
}

// The run states, with real events: what starts frames, what stops them,
// what gives exactly one, and what does nothing.
TEST(CubeWindow, RunStatesFromKeysAndButtons)
{
    XServer server;
    const std::string dir = make_work_dir("cube_states");
    WindowProgram program(server, benchmark_path("cube"), dir, no_rendering);
    ASSERT_TRUE(program.find_window(title()));
    ASSERT_TRUE(program.wait_for_lines("window: ", 1, true));

    // Paused at start: only the first showing draws, then the program
    // sleeps until there is input.
    int count = frames_after(program, 0);

    struct Event {
        const char* name;
        char kind;        // 'k' key, 'c' click, 'p' press, 'r' release
        std::string key;
        int button;
    };
    const auto send = [&program](const Event& e) {
        switch (e.kind) {
        case 'k': program.key(e.key); break;
        case 'c': program.click(e.button); break;
        case 'p': program.press(e.button); break;
        case 'r': program.release(e.button); break;
        }
    };
    // Input that does nothing: the program wakes up for it and goes back to
    // sleep without a frame.
    const auto expect_nothing = [&program, &send, &count](const Event& e) {
        const std::uint64_t sleeps = program.sleeps();
        send(e);
        EXPECT_TRUE(program.wait_until_handled(sleeps)) << e.name << ": frames go on";
        EXPECT_EQ(frames(program), count) << e.name << " in paused";
    };

    // In paused: keys and buttons that do nothing, a pause that changes
    // nothing, and the manual step that gives exactly one frame.
    const Event idle_events[] = {
        {"D", 'k', "D", 0},         {"Q", 'k', "Q", 0},       {"x", 'k', "x", 0},
        {"1", 'k', "1", 0},         {"space", 'k', "space", 0}, {"middle click", 'c', "", 2},
        {"wheel up", 'c', "", 4},   {"wheel down", 'c', "", 5}, {"right click", 'c', "", 3},
        {"P", 'k', "P", 0},         {"p", 'k', "p", 0},       {"left release", 'r', "", 1},
    };
    for (const Event& e : idle_events)
        expect_nothing(e);
    for (const Event& e : {Event{"C", 'k', "C", 0}, Event{"c", 'k', "c", 0}}) {
        send(e);
        EXPECT_EQ(frames_after(program, count), count + 1) << e.name << " gave more than one frame";
        count = frames(program);
    }

    // Each starter runs frames until its stopper; a second starter keeps
    // running. Stopped, the program goes back to sleep: no idle callback, no
    // frame due.
    struct Toggle {
        const char* name;
        std::vector<Event> start;
        Event stop;
    };
    const Toggle toggles[] = {
        {"R / P", {{"R", 'k', "R", 0}}, {"P", 'k', "P", 0}},
        {"r / p", {{"r", 'k', "r", 0}}, {"p", 'k', "p", 0}},
        {"left / right click", {{"left click", 'c', "", 1}}, {"right click", 'c', "", 3}},
        {"left / right press", {{"left press", 'p', "", 1}}, {"right press", 'p', "", 3}},
        {"R twice / P", {{"R", 'k', "R", 0}, {"R", 'k', "R", 0}}, {"P", 'k', "P", 0}},
        {"R and left click / right click", {{"R", 'k', "R", 0}, {"left click", 'c', "", 1}}, {"right click", 'c', "", 3}},
    };
    for (const Toggle& t : toggles) {
        SCOPED_TRACE(t.name);
        for (const Event& e : t.start)
            send(e);
        // Frames keep coming by themselves.
        ASSERT_TRUE(program.wait_for_lines("window: ", count + 3, true));
        const int running = frames(program);
        ASSERT_TRUE(program.wait_for_lines("window: ", running + 2, true));
        send(t.stop);
        EXPECT_TRUE(program.wait_until_asleep()) << "still running after " << t.stop.name;
        count = frames(program);
        // Release the buttons pressed alone; releases do nothing.
        if (t.stop.kind == 'p') {
            expect_nothing({"left release", 'r', "", 1});
            expect_nothing({"right release", 'r', "", 3});
        }
    }

    // A resize in paused gives a full frame.
    program.resize(1000, 500);
    count = frames_after(program, count);

    // Esc ends the run; with standard input at its end the prompt returns at once.
    program.close_input();
    program.key("Escape");
    ASSERT_TRUE(program.wait_exit());
    EXPECT_EQ(program.exit_status(), 0);
    const std::vector<std::string> console = program.console_lines();
    const Report report = split_report(console, 20, 1);
    EXPECT_EQ(report.count, count);
    ASSERT_EQ(report.rest.size(), 5u);
    expect_summary(report.rest, report);
    EXPECT_EQ(report.rest[4], "Press Enter to Exit.");
}

// Closing the window ends the process through GLUT: status 0, no summary,
// and the results file holds every line written before.
TEST(CubeWindow, ClosedByTheUser)
{
    XServer server;
    const std::string dir = make_work_dir("cube_closed");
    WindowProgram program(server, benchmark_path("cube"), dir, {"GALLIUM_NOOP=1", "OMP_NUM_THREADS=4"});
    ASSERT_TRUE(program.find_window(title()));
    ASSERT_TRUE(program.wait_for_lines("window: ", 1, true));
    frames_after(program, 0);
    program.close_window();
    ASSERT_TRUE(program.wait_exit());
    EXPECT_EQ(program.exit_status(), 0);

    const std::vector<std::string> console = program.console_lines();
    const Report on_console = split_report(console, 20, 1);
    EXPECT_GE(on_console.count, 1);
    EXPECT_TRUE(on_console.rest.empty()) << on_console.rest.front();
    const Report in_file = split_report(split_lines(program.file(results_name())), 7, 1);
    EXPECT_EQ(in_file.start, results_start(4, init_line_of(console)));
    EXPECT_EQ(in_file.frames, on_console.frames);
    EXPECT_TRUE(in_file.rest.empty());
}

// A directory in the results file's place: the whole run on the console,
// status 0.
TEST(CubeWindow, ResultsFileCannotBeCreated)
{
    XServer server;
    const std::string dir = make_work_dir("cube_no_file");
    ASSERT_EQ(mkdir((dir + "/" + results_name()).c_str(), 0755), 0);
    WindowProgram program(server, benchmark_path("cube"), dir, {"GALLIUM_NOOP=1", "OMP_NUM_THREADS=2"});
    ASSERT_TRUE(program.find_window(title()));
    ASSERT_TRUE(program.wait_for_lines("window: ", 1, true));
    const int first = frames_after(program, 0);
    program.key("C");
    frames_after(program, first);
    program.key("Escape");
    ASSERT_TRUE(program.wait_for_lines("Press Enter to Exit.", 1));
    program.send_input("\n");
    ASSERT_TRUE(program.wait_exit());
    EXPECT_EQ(program.exit_status(), 0);

    const std::vector<std::string> console = program.console_lines();
    const Report report = split_report(console, 20, 1);
    EXPECT_EQ(report.start, console_start(2, init_line_of(console)));
    EXPECT_GE(report.count, 2);
    ASSERT_EQ(report.rest.size(), 5u);
    expect_summary(report.rest, report);
    EXPECT_EQ(report.rest[4], "Press Enter to Exit.");
}

namespace {

// What a picture of the point cube must show: many colours of the lattice
// over the black background, with the cube's centre at the window's centre.
void expect_point_cube(const Screenshot& shot, const std::string& name)
{
    ASSERT_EQ(shot.width, 720) << name;
    ASSERT_EQ(shot.height, 720) << name;
    std::size_t lit = 0, reddish = 0, greenish = 0, bluish = 0;
    std::vector<std::uint32_t> colours;
    for (std::uint32_t pixel : shot.pixels) {
        if (pixel == 0)
            continue;
        ++lit;
        const int r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
        reddish += r > g + 32 && r > b + 32;
        greenish += g > r + 32 && g > b + 32;
        bluish += b > r + 32 && b > g + 32;
        if (colours.size() < 1000 && std::find(colours.begin(), colours.end(), pixel) == colours.end())
            colours.push_back(pixel);
    }
    const std::size_t all = shot.pixels.size();
    // The cube covers a good part of the window but not all of it.
    EXPECT_GT(lit, all / 10) << name;
    EXPECT_LT(lit, all * 9 / 10) << name;
    EXPECT_GE(colours.size(), 1000u) << name;
    EXPECT_GT(reddish, 0u) << name;
    EXPECT_GT(greenish, 0u) << name;
    EXPECT_GT(bluish, 0u) << name;
    EXPECT_NE(shot.at(360, 360), 0u) << name;
    // The corners lie outside the turned cube.
    EXPECT_EQ(shot.at(2, 2), 0u) << name;
    EXPECT_EQ(shot.at(717, 717), 0u) << name;
}

void save_ppm(const Screenshot& shot, const std::string& path)
{
    std::string data = "P6\n" + std::to_string(shot.width) + " " + std::to_string(shot.height) + "\n255\n";
    for (std::uint32_t pixel : shot.pixels) {
        data += static_cast<char>(pixel >> 16 & 0xFF);
        data += static_cast<char>(pixel >> 8 & 0xFF);
        data += static_cast<char>(pixel & 0xFF);
    }
    write_file(path, data);
}

} // namespace

// Real rendering: the first frame shows the coloured point cube, and the
// next animation step shows it turned.
TEST(CubeWindow, PictureOfTheTurningCube)
{
    XServer server;
    const std::string dir = make_work_dir("cube_picture");
    WindowProgram program(server, benchmark_path("cube"), dir);
    ASSERT_TRUE(program.find_window(title()));
    ASSERT_TRUE(program.wait_for_lines("window: ", 1, true));
    const int count = frames_after(program, 0);
    const Screenshot first = program.screenshot();
    save_ppm(first, dir + "/first.ppm");
    expect_point_cube(first, "first frame");

    // One manual animation step: exactly one more frame, one degree on. (A
    // really rendered frame takes minutes in the emulated build, so running
    // freely would leave a frame in flight.)
    program.key("C");
    ASSERT_TRUE(program.wait_for_lines("window: ", count + 1, true));
    const Screenshot later = program.screenshot();
    save_ppm(later, dir + "/later.ppm");
    expect_point_cube(later, "later frame");

    std::size_t changed = 0;
    for (std::size_t n = 0; n < first.pixels.size(); ++n)
        changed += first.pixels[n] != later.pixels[n];
    EXPECT_GT(changed, first.pixels.size() / 20) << "the cube did not turn";

    program.close_input();
    program.key("Escape");
    ASSERT_TRUE(program.wait_exit());
    EXPECT_EQ(program.exit_status(), 0);
}

// What lies between the clock readings, recorded from outside by the probe:
// the list's compilation alone in the set-up interval (no parallel region,
// no output), nothing but GL in every frame, each report after its frame.
TEST(CubeWindow, TimedIntervalsHoldOnlyTheirWork)
{
    XServer server;
    const std::string dir = make_work_dir("cube_intervals");
    std::vector<std::string> env = probe_environment(dir + "/events.txt");
    env.push_back("GALLIUM_NOOP=1");
    WindowProgram program(server, benchmark_path("cube"), dir, env);
    ASSERT_TRUE(program.find_window(title()));
    ASSERT_TRUE(program.wait_for_lines("window: ", 1, true));
    const int first = frames_after(program, 0);
    program.key("C");
    frames_after(program, first);
    program.close_window();
    ASSERT_TRUE(program.wait_exit());
    const int drawn = frames(program);

    const std::vector<std::string> events = probe_events(dir + "/events.txt");
    const std::vector<std::size_t> readings = clock_readings(events);
    ASSERT_EQ(readings.size(), 2u + 2u * drawn);
    std::size_t last = readings[0] - 1;
    while (last > 0 && events[last] == "write")
        --last;
    EXPECT_EQ(events[last], "flush") << "the notice is flushed before the compilation starts";
    for (std::size_t pair = 0; pair < readings.size() / 2; ++pair) {
        EXPECT_EQ(readings[2 * pair + 1], readings[2 * pair] + 1) << "interval " << pair << " holds more than GL";
        const std::size_t after = pair + 1 < readings.size() / 2 ? readings[2 * pair + 2] : events.size();
        const std::vector<std::string> report = events_between(events, readings[2 * pair + 1], after);
        EXPECT_NE(std::find(report.begin(), report.end(), "flush"), report.end()) << "interval " << pair;
        EXPECT_NE(std::find(report.begin(), report.end(), "write"), report.end()) << "interval " << pair;
    }
}

// Which math routines the program itself calls, and when, as a preloaded
// probe sees them: none while the list is compiled, and in each frame's
// interval the light's atan, cosine and sine, atan first and each once;
// none outside the intervals.
TEST(CubeWindow, MathRoutinesInTheirIntervals)
{
    XServer server;
    const std::string dir = make_work_dir("cube_math");
    std::vector<std::string> env = math_probe_environment(dir + "/math.txt");
    env.push_back("GALLIUM_NOOP=1");
    WindowProgram program(server, benchmark_path("cube"), dir, env);
    ASSERT_TRUE(program.find_window(title()));
    ASSERT_TRUE(program.wait_for_lines("window: ", 1, true));
    program.key("C");
    ASSERT_TRUE(program.wait_for_lines("window: ", 2, true));
    program.key("c");
    ASSERT_TRUE(program.wait_for_lines("window: ", 3, true));
    program.key("Escape");
    ASSERT_TRUE(program.wait_for_lines("Press Enter to Exit.", 1));
    program.send_input("\n");
    ASSERT_TRUE(program.wait_exit());
    EXPECT_EQ(program.exit_status(), 0);
    const int drawn = frames(program);

    // x86-64: atan, then one sincos for both. 32-bit: the library's atan, cos
    // and sin one by one, in the order of the source.
    const std::string frame = sizeof(void*) == 8 ? "aS" : "acs";
    const MathCalls calls = read_math_calls(dir + "/math.txt");
    EXPECT_EQ(calls.other_threads, 0);
    ASSERT_EQ(calls.timed.size(), 1u + drawn) << "the compilation's interval and one per frame";
    ASSERT_EQ(calls.untimed.size(), calls.timed.size() + 1);
    EXPECT_EQ(calls.timed[0], "");
    for (int n = 1; n <= drawn; ++n)
        EXPECT_EQ(calls.timed[n], frame) << "frame " << n;
    for (std::size_t n = 0; n < calls.untimed.size(); ++n)
        EXPECT_EQ(calls.untimed[n], "") << "before interval " << n;
}
