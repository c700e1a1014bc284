// The real triangles program in a real window under Xvfb, driven by key
// presses and button clicks; its console and results file are compared line
// by line with the texts it must write.
#include "files.h"
#include "math_calls.h"
#include "probe_log.h"
#include "x_session.h"

#include "build_texts.h"
#include "number_format.h"
#include "text_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <set>
#include <sys/stat.h>

namespace {

const std::string title = window_title("Triangles");
const std::string results_name = results_file_name("triangles");

// Software rendering skipped: every GL call still goes through Mesa, but no
// pixel is drawn. For the tests where only the text and the events matter.
const std::vector<std::string> no_pixels = {"GALLIUM_NOOP=1"};

std::unique_ptr<WindowProgram> start(XServer& server, const std::string& dir,
                                     const std::vector<std::string>& env = {})
{
    auto program = std::make_unique<WindowProgram>(server, benchmark_path("triangles"), dir, env);
    EXPECT_TRUE(program->find_window(title));
    return program;
}

// The 20 console lines before the first frame.
void expect_console_start(const std::vector<std::string>& lines, const std::string& threads)
{
    ASSERT_GE(lines.size(), 20u);
    const std::vector<std::string> expected = {
        "", banner("Graphics Triangles"), maker_line, support_line, "", "", "", "Thread(s): " + threads, "",
        animate_key_help[0], animate_key_help[1], animate_key_help[2], animate_key_help[3], "", "",
        "Initializing . . .", ""};
    for (std::size_t n = 0; n < expected.size(); ++n)
        EXPECT_EQ(lines[n], expected[n]) << "console line " << n + 1;
    EXPECT_TRUE(std::regex_match(lines[17], std::regex("It spent: [0-9.e+-]+ Secs to Initialize\\.")))
        << lines[17];
    EXPECT_EQ(lines[18], "");
    EXPECT_EQ(lines[19], "");
}

// The seven results lines before the first frame; the init line is the
// console's.
void expect_results_start(const std::vector<std::string>& lines, const std::vector<std::string>& console,
                          const std::string& threads)
{
    ASSERT_GE(lines.size(), 7u);
    ASSERT_GE(console.size(), 20u);
    const std::vector<std::string> expected = {banner("Graphics Triangles"), "", "Thread(s): " + threads, "",
                                               console[17], "", ""};
    for (std::size_t n = 0; n < expected.size(); ++n)
        EXPECT_EQ(lines[n], expected[n]) << "results line " << n + 1;
}

struct Frame {
    std::string drew;     // the number of "It drew "
    double seconds = 0.0; // the number of "It spent: "
};

// Reads six-line frame blocks from lines[from] on until one does not match;
// returns the frames and sets *end to the first line after them.
std::vector<Frame> read_frames(const std::vector<std::string>& lines, std::size_t from, std::size_t* end)
{
    static const std::regex number("(-?[0-9.]+(e[+-][0-9]{3})?|1\\.#INF)");
    static const std::regex window("window: [0-9]+");
    static const std::regex drew("It drew ([0-9.e+]+) Triangles\\.");
    static const std::regex spent("It spent: ([0-9.e+-]+) Secs\\. ");
    static const std::regex angles("It was: ([0-9.e+-]+|1\\.#INF) Angles/sec\\.");
    static const std::regex triangles("It was: ([0-9.e+-]+|1\\.#INF) Triangles/sec\\.");
    std::vector<Frame> frames;
    std::size_t n = from;
    std::smatch match;
    while (n + 6 <= lines.size() && std::regex_match(lines[n], window)) {
        Frame frame;
        EXPECT_TRUE(std::regex_match(lines[n + 1], match, drew)) << lines[n + 1];
        frame.drew = match.size() > 1 ? match[1].str() : "";
        EXPECT_TRUE(std::regex_match(lines[n + 2], match, spent)) << lines[n + 2];
        frame.seconds = match.size() > 1 ? std::atof(match[1].str().c_str()) : 0.0;
        EXPECT_TRUE(std::regex_match(lines[n + 3], angles)) << lines[n + 3];
        EXPECT_TRUE(std::regex_match(lines[n + 4], triangles)) << lines[n + 4];
        EXPECT_EQ(lines[n + 5], "");
        frames.push_back(frame);
        n += 6;
    }
    *end = n;
    return frames;
}

// "It drew " of the frame at this angle.
std::string drew_at(double angle)
{
    return format_number((36000.0 + angle * 36000.0) / 6.0);
}

int frames_so_far(const WindowProgram& program)
{
    return program.count_lines("window: ", true);
}

// Waits until the program has drawn at least count frames and then every
// frame that was due (it sleeps, waiting for events); returns the frames on
// the console. count must be more than the frames there were before the
// last input, so that the wait sees the program's answer to that input.
std::vector<Frame> settle(WindowProgram& program, int count)
{
    EXPECT_TRUE(program.wait_for_lines("window: ", count, true));
    EXPECT_TRUE(program.wait_until_asleep()) << "frames go on by themselves";
    std::size_t end = 0;
    return read_frames(program.console_lines(), 20, &end);
}

// A key that gives one step: exactly one more frame, at the next angle.
std::vector<Frame> step(WindowProgram& program, const char* key, double angle)
{
    const int before = frames_so_far(program);
    program.key(key);
    std::vector<Frame> frames = settle(program, before + 1);
    EXPECT_EQ(static_cast<int>(frames.size()), before + 1) << key << " gave more than one frame";
    if (!frames.empty()) {
        EXPECT_EQ(frames.back().drew, drew_at(angle)) << key;
    }
    return frames;
}

// Input that must do nothing in the paused state: the program wakes up for
// it and goes back to sleep without a frame.
template <typename Input>
void expect_nothing_happens(WindowProgram& program, const Input& input)
{
    const std::string console = program.console();
    const std::uint64_t sleeps = program.sleeps();
    input();
    EXPECT_TRUE(program.wait_until_handled(sleeps)) << "frames go on by themselves";
    EXPECT_EQ(program.console(), console);
}

// Console and results file after the start: the same frame blocks.
void expect_same_frames_in_results(const WindowProgram& program)
{
    const std::vector<std::string> console = program.console_lines();
    const std::vector<std::string> results = split_lines(program.file(results_name));
    std::size_t console_end = 0, results_end = 0;
    read_frames(console, 20, &console_end);
    read_frames(results, 7, &results_end);
    ASSERT_EQ(console_end - 20, results_end - 7);
    for (std::size_t n = 0; n < console_end - 20; ++n)
        EXPECT_EQ(results[7 + n], console[20 + n]) << "frame line " << n;
}

// Counts pixels that are not black, and their distinct colours.
void count_colours(const Screenshot& shot, int x0, int y0, int x1, int y1, int* lit, int* colours)
{
    std::set<std::uint32_t> seen;
    *lit = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (shot.at(x, y) != 0) {
                ++*lit;
                seen.insert(shot.at(x, y));
            }
    *colours = static_cast<int>(seen.size());
}

} // namespace

TEST(TrianglesWindow, StartUpFramesPictureAndEscape)
{
    XServer server;
    const std::string dir = make_work_dir("triangles_start");
    write_file(dir + "/" + results_name, "left over from an earlier run\n");
    auto program = start(server, dir);
    int width = 0, height = 0;
    program->window_size(&width, &height);
    EXPECT_EQ(width, 720);
    EXPECT_EQ(height, 720);

    // Paused from the start: the first showing's frame at angle 1, no more.
    std::vector<Frame> frames = settle(*program, 1);
    ASSERT_GE(frames.size(), 1u);
    const std::vector<std::string> console = program->console_lines();
    expect_console_start(console, "8");
    expect_results_start(split_lines(program->file(results_name)), console, "8");
    expect_same_frames_in_results(*program);

    // Lit, coloured triangles, not an empty window.
    int lit = 0, colours = 0;
    count_colours(program->screenshot(), 0, 0, 720, 720, &lit, &colours);
    EXPECT_GT(lit, 2000);
    EXPECT_GT(colours, 20);

    // A resize redraws the same angle, and nothing is drawn outside the
    // initial 720 x 720 box at the lower left.
    const std::size_t before = frames.size();
    program->resize(1000, 900);
    frames = settle(*program, static_cast<int>(before) + 1);
    ASSERT_GT(frames.size(), before);
    const Screenshot shot = program->screenshot();
    ASSERT_EQ(shot.width, 1000);
    ASSERT_EQ(shot.height, 900);
    count_colours(shot, 0, 0, 1000, 180, &lit, &colours);
    EXPECT_EQ(lit, 0) << "drawn above the initial box";
    count_colours(shot, 720, 0, 1000, 900, &lit, &colours);
    EXPECT_EQ(lit, 0) << "drawn right of the initial box";
    count_colours(shot, 0, 180, 720, 900, &lit, &colours);
    EXPECT_GT(lit, 2000);

    // Esc: the summary on both streams, the prompt, a wait for one character.
    program->key("Escape");
    ASSERT_TRUE(program->wait_for_lines("Press Enter to Exit.", 1));
    EXPECT_TRUE(program->wait_for_input_read()) << "no wait for a character";

    // The summary covers every frame reported before it, all at angle 1.
    std::vector<std::string> lines = program->console_lines();
    std::size_t end = 0;
    frames = read_frames(lines, 20, &end);
    ASSERT_GT(frames.size(), before);
    double total = 0.0;
    for (const Frame& frame : frames) {
        EXPECT_EQ(frame.drew, "12000");
        total += frame.seconds;
    }
    ASSERT_EQ(lines.size(), end + 4);
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[end], match, std::regex("Total running time:  ([0-9.e+-]+) Secs\\. ")))
        << lines[end];
    EXPECT_NEAR(std::atof(match[1].str().c_str()), total, 1e-4 * frames.size() + 1e-5 * total);
    ASSERT_TRUE(std::regex_match(lines[end + 1], match, std::regex("Average Angles/Sec: ([0-9.e+-]+) Angles/Sec\\.")))
        << lines[end + 1];
    EXPECT_NEAR(std::atof(match[1].str().c_str()) * total / frames.size(), 1.0, 1e-3);
    EXPECT_EQ(lines[end + 2], "");
    EXPECT_EQ(lines[end + 3], "Press Enter to Exit.");

    const std::vector<std::string> results = split_lines(program->file(results_name));
    std::size_t results_end = 0;
    read_frames(results, 7, &results_end);
    ASSERT_EQ(results.size(), results_end + 3);
    EXPECT_EQ(results[results_end], lines[end]);
    EXPECT_EQ(results[results_end + 1], lines[end + 1]);
    EXPECT_EQ(results[results_end + 2], "");
    expect_same_frames_in_results(*program);

    program->send_input("\n");
    ASSERT_TRUE(program->wait_exit());
    EXPECT_EQ(program->exit_status(), 0);
}

TEST(TrianglesWindow, RunStatesFollowKeysAndButtons)
{
    XServer server;
    const std::string dir = make_work_dir("triangles_input");
    auto program = start(server, dir, no_pixels);
    std::vector<Frame> frames = settle(*program, 1);
    ASSERT_GE(frames.size(), 1u);

    // Paused: keys other than R, P, C and Esc, button releases, the middle
    // button, the wheel and a right press print nothing; each is followed
    // by C, which must give exactly one frame at the next angle.
    const struct {
        const char* name;
        char kind;   // 'k' key, 'c' click, 'r' release
        int button;
    } ignored[] = {{"D", 'k', 0}, {"Q", 'k', 0}, {"x", 'k', 0}, {"1", 'k', 0}, {"space", 'k', 0},
                   {"a", 'k', 0}, {"Return", 'k', 0}, {"left release", 'r', 1}, {"right release", 'r', 3},
                   {"middle click", 'c', 2}, {"wheel up", 'c', 4}, {"wheel down", 'c', 5},
                   {"right click", 'c', 3}, {"P", 'k', 0}};
    double angle = 1.0;
    for (const auto& input : ignored) {
        SCOPED_TRACE(input.name);
        expect_nothing_happens(*program, [&] {
            if (input.kind == 'k')
                program->key(input.name);
            else if (input.kind == 'c')
                program->click(input.button);
            else
                program->release(input.button);
        });
        angle += 1.0;
        frames = step(*program, "C", angle);
    }

    // C and c step once each, in the paused state.
    angle += 1.0;
    step(*program, "C", angle);
    angle += 1.0;
    frames = step(*program, "c", angle);
    const std::size_t stepped = frames.size();

    // Each way into running makes frames follow one another; each way out
    // stops them: the program goes back to sleep, and the next C gives one
    // frame at the angle after the last one. Every frame from here on is
    // one step further than the one before.
    const struct {
        const char* start;   // key name, or "left"
        const char* stop;    // key name, or "right"
    } ways[] = {{"R", "P"}, {"r", "p"}, {"left", "right"}, {"R", "right"}, {"left", "p"}};
    for (const auto& way : ways) {
        SCOPED_TRACE(std::string(way.start) + " / " + way.stop);
        const int count = frames_so_far(*program);
        if (std::string(way.start) == "left")
            program->click(1);
        else
            program->key(way.start);
        EXPECT_TRUE(program->wait_for_lines("window: ", count + 3, true)) << way.start;
        if (std::string(way.stop) == "right")
            program->click(3);
        else
            program->key(way.stop);
        frames = settle(*program, count + 3);
        frames = step(*program, "C", angle + static_cast<double>(frames.size() - stepped) + 1.0);
    }
    for (std::size_t n = stepped; n < frames.size(); ++n)
        EXPECT_EQ(frames[n].drew, drew_at(angle + static_cast<double>(n + 1 - stepped))) << "frame " << n;
    expect_same_frames_in_results(*program);

    // Esc, then end of input: the wait returns at once.
    program->key("Escape");
    ASSERT_TRUE(program->wait_for_lines("Press Enter to Exit.", 1));
    program->close_input();
    ASSERT_TRUE(program->wait_exit());
    EXPECT_EQ(program->exit_status(), 0);
}

TEST(TrianglesWindow, StopsAtTheArraysLimit)
{
    XServer server;
    const std::string dir = make_work_dir("triangles_limit");
    auto program = start(server, dir, no_pixels);
    program->key("R");
    ASSERT_TRUE(program->wait_exit());
    EXPECT_EQ(program->exit_status(), 0);

    const std::vector<std::string> console = program->console_lines();
    std::size_t end = 0;
    const std::vector<Frame> frames = read_frames(console, 20, &end);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().drew, "2.166e+006");
    ASSERT_EQ(console.size(), end + 1);
    EXPECT_EQ(console[end], "It reaches limits, the program terminates.");

    // The results file ends with the frame at angle 360: nothing of the last
    // frame, no summary.
    const std::vector<std::string> results = split_lines(program->file(results_name));
    std::size_t results_end = 0;
    const std::vector<Frame> written = read_frames(results, 7, &results_end);
    EXPECT_EQ(results.size(), results_end);
    ASSERT_EQ(written.size(), frames.size());
    EXPECT_EQ(written.back().drew, "2.166e+006");
}

TEST(TrianglesWindow, ClosedByTheUser)
{
    XServer server;
    const std::string dir = make_work_dir("triangles_close");
    auto program = start(server, dir, no_pixels);
    settle(*program, 1);
    step(*program, "C", 2.0);
    program->close_window();
    ASSERT_TRUE(program->wait_exit());
    EXPECT_EQ(program->exit_status(), 0);
    EXPECT_EQ(program->console().find("Total running time"), std::string::npos);
    EXPECT_EQ(program->console().find("Press Enter"), std::string::npos);
    const std::vector<std::string> results = split_lines(program->file(results_name));
    std::size_t end = 0;
    EXPECT_GE(read_frames(results, 7, &end).size(), 2u);
    EXPECT_EQ(results.size(), end) << "results must end with the last complete frame";
}

TEST(TrianglesWindow, ThreadCountIsCappedAtEight)
{
    const struct {
        const char* max;
        const char* shown;
    } cases[] = {{"16", "8"}, {"3", "3"}};
    for (const auto& c : cases) {
        XServer server;
        const std::string dir = make_work_dir("triangles_threads");
        std::vector<std::string> env = no_pixels;
        env.push_back(std::string("OMP_NUM_THREADS=") + c.max);
        env.push_back("OMP_PROBE_LOG=" + dir + "/probe.txt");
        env.push_back("LD_PRELOAD=" + helper_path("libomp_probe.so"));
        auto program = start(server, dir, env);
        settle(*program, 1);
        const std::vector<std::string> console = program->console_lines();
        expect_console_start(console, c.shown);
        expect_results_start(split_lines(program->file(results_name)), console, c.shown);
        EXPECT_EQ(read_file(dir + "/probe.txt"), std::string("omp_set_num_threads ") + c.shown + "\n");
        program->close_window();
        ASSERT_TRUE(program->wait_exit());
    }
}

TEST(TrianglesWindow, ResultsFileThatCannotBeCreated)
{
    XServer server;
    const std::string dir = make_work_dir("triangles_no_results");
    ASSERT_EQ(mkdir((dir + "/" + results_name).c_str(), 0755), 0);
    auto program = start(server, dir, no_pixels);
    settle(*program, 1);
    program->key("Escape");
    ASSERT_TRUE(program->wait_for_lines("Press Enter to Exit.", 1));
    program->close_input();
    ASSERT_TRUE(program->wait_exit());
    EXPECT_EQ(program->exit_status(), 0);
    const std::vector<std::string> console = program->console_lines();
    expect_console_start(console, "8");
    std::size_t end = 0;
    EXPECT_GE(read_frames(console, 20, &end).size(), 1u);
    EXPECT_EQ(console.size(), end + 4);
    EXPECT_EQ(program->console().find("results"), std::string::npos);
}

TEST(TrianglesRun, ArrayThatCannotBeAllocated)
{
    // No display is needed: the array is allocated before main.
    const std::string dir = make_work_dir("triangles_no_memory");
    const int status = run_shell(address_space_limit(100000) + shell_quote(benchmark_path("triangles")) +
                                     " </dev/null >console.txt 2>stderr.txt",
                                 dir);
    EXPECT_EQ(status, 1);
    EXPECT_NE(read_file(dir + "/stderr.txt").find("cannot allocate the vertex array"), std::string::npos);
    EXPECT_EQ(read_file(dir + "/console.txt"), "");
    // The results file was opened before the allocation.
    EXPECT_TRUE(file_exists(dir + "/" + results_name));
}

TEST(TrianglesWindow, StartUpOrderAndTimedIntervals)
{
    // The probe records clock readings, parallel regions, console output and
    // file writes in their order.
    XServer server;
    const std::string dir = make_work_dir("triangles_intervals");
    std::vector<std::string> env = probe_environment(dir + "/events.txt");
    env.push_back(no_pixels[0]);
    auto program = start(server, dir, env);
    settle(*program, 1);
    step(*program, "C", 2.0);
    program->close_window();
    ASSERT_TRUE(program->wait_exit());
    std::size_t end = 0;
    const int frames = static_cast<int>(read_frames(program->console_lines(), 20, &end).size());

    const std::vector<std::string> events = probe_events(dir + "/events.txt");
    const std::vector<std::size_t> readings = clock_readings(events);

    // The start-up's order, one flush per console line and one write per
    // results line: console lines 1 to 9 (to the thread line and its empty
    // line), the four results header lines, console lines 10 to 17, the fill,
    // the three console lines of the init report, then its three file lines.
    std::vector<std::pair<std::string, int>> runs;
    for (const std::string& event : events) {
        if (event == "console")
            continue;
        if (!runs.empty() && runs.back().first == event && event != "wtime")
            ++runs.back().second;
        else
            runs.push_back({event, 1});
    }
    const std::vector<std::pair<std::string, int>> start_up = {
        {"flush", 9}, {"write", 4}, {"flush", 8}, {"wtime", 1}, {"parallel_begin", 1}, {"parallel_end", 1},
        {"wtime", 1}, {"flush", 3}, {"write", 3}, {"wtime", 1}};
    ASSERT_GE(runs.size(), start_up.size());
    for (std::size_t n = 0; n < start_up.size(); ++n)
        EXPECT_EQ(runs[n], start_up[n]) << "run " << n;
    // The fill's two readings, then two for every frame.
    ASSERT_EQ(readings.size(), 2u + 2u * frames);
    EXPECT_GT(readings[0], 0u);
    EXPECT_EQ(events[readings[0] - 1], "flush") << "the notice is flushed before the fill starts";
    EXPECT_EQ(events_between(events, readings[0], readings[1]),
              (std::vector<std::string>{"parallel_begin", "parallel_end"}));
    for (std::size_t pair = 1; pair < readings.size() / 2; ++pair) {
        EXPECT_EQ(readings[2 * pair + 1], readings[2 * pair] + 1) << "frame " << pair << " holds more than GL";
        // Between two frames: the report on both streams.
        const std::size_t after = pair + 1 < readings.size() / 2 ? readings[2 * pair + 2] : events.size();
        const std::vector<std::string> report = events_between(events, readings[2 * pair + 1], after);
        EXPECT_NE(std::find(report.begin(), report.end(), "console"), report.end());
        EXPECT_NE(std::find(report.begin(), report.end(), "write"), report.end());
    }
}

// Which math routines the program itself calls, and when, as a preloaded
// probe sees them: the fill's sine, cosine and tangent of every element in
// the set-up interval, and in each frame's interval the light vectors' atan,
// sine and cosine, atan first and each once; none outside the intervals.
TEST(TrianglesWindow, MathRoutinesInTheirIntervals)
{
    XServer server;
    const std::string dir = make_work_dir("triangles_math");
    std::vector<std::string> env = math_probe_environment(dir + "/math.txt");
    env.push_back(no_pixels[0]);
    // One thread: the whole fill runs on the main thread, where every call
    // is logged in its order.
    env.push_back("OMP_NUM_THREADS=1");
    WindowProgram program(server, benchmark_path("triangles"), dir, env);
    ASSERT_TRUE(program.find_window(title));
    ASSERT_TRUE(program.wait_for_lines("window: ", 1, true));
    program.key("C");
    ASSERT_TRUE(program.wait_for_lines("window: ", 2, true));
    program.key("c");
    ASSERT_TRUE(program.wait_for_lines("window: ", 3, true));
    program.close_window();
    ASSERT_TRUE(program.wait_exit());
    EXPECT_EQ(program.exit_status(), 0);
    const int frames = frames_so_far(program);

    // x86-64: GCC merges an element's sine and cosine into one sincos call,
    // and the light's into one after atan. 32-bit: the library's sin, cos and
    // tan (and atan) one by one, in the order of the source.
    const bool x86_64 = sizeof(void*) == 8;
    const std::string element = x86_64 ? "St" : "sct";
    const std::string frame = x86_64 ? "aS" : "asc";
    const MathCalls calls = read_math_calls(dir + "/math.txt");
    EXPECT_EQ(calls.other_threads, 0);
    ASSERT_EQ(calls.timed.size(), 1u + frames) << "the fill's interval and one per frame";
    ASSERT_EQ(calls.untimed.size(), calls.timed.size() + 1);
    EXPECT_EQ(repetition_mismatch(calls.timed[0], element, 12996000), "");
    for (int n = 1; n <= frames; ++n)
        EXPECT_EQ(calls.timed[n], frame) << "frame " << n;
    for (std::size_t n = 0; n < calls.untimed.size(); ++n)
        EXPECT_TRUE(calls.untimed[n].empty()) << "before interval " << n << ": " << excerpt(calls.untimed[n]);
    // The log holds one character per fill call (39 MB in the 32-bit build).
    if (!HasFailure())
        std::remove((dir + "/math.txt").c_str());
}

TEST(TrianglesRun, ConsoleClosedLeavesTheResultsFileClean)
{
    // With standard output closed, the results file, opened before main,
    // must not take over descriptor 1 and receive the console's lines. No
    // display is given: the run ends in GLUT's own start-up, after the fill.
    const std::string dir = make_work_dir("triangles_console_closed");
    run_shell("env -u DISPLAY " + shell_quote(benchmark_path("triangles")) + " </dev/null >&- 2>stderr.txt", dir);
    const std::vector<std::string> results = split_lines(read_file(dir + "/" + results_name));
    ASSERT_EQ(results.size(), 7u);
    EXPECT_EQ(results[0], banner("Graphics Triangles"));
    EXPECT_EQ(results[2], "Thread(s): 8");
    EXPECT_EQ(results[4].rfind("It spent: ", 0), 0u);
    EXPECT_EQ(read_file(dir + "/" + results_name).find("Press Key"), std::string::npos);
}
