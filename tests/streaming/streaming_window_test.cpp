// The real streaming program in a real window under its own X server,
// driven by real key presses and button clicks; its console and results
// file are compared line by line with the texts it must write.
#include "streaming_run.h"

#include "build_texts.h"
#include "element_values.h"
#include "files.h"
#include "probe_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <sys/stat.h>

namespace {

const std::string title = window_title("Streaming");
const std::string results_name = results_file_name("streaming");

// Waits for the window and the report of its first showing.
void start(StreamingRun& run)
{
    ASSERT_TRUE(run.program.find_window(title));
    ASSERT_TRUE(run.wait_reports(1));
}

// Reports keep coming.
void expect_running(StreamingRun& run, const char* after)
{
    const int before = run.reports();
    EXPECT_TRUE(run.wait_reports(before + 3)) << "no stream of reports after " << after;
}

// No report comes any more: the program has woken up for the input (taken
// since it had slept `sleeps` times) and sleeps again, waiting for events.
void expect_paused(StreamingRun& run, const char* after, std::uint64_t sleeps)
{
    EXPECT_TRUE(run.program.wait_until_handled(sleeps)) << "reports go on after " << after;
}

// Checks the whole console and results file of a run that has ended, and
// returns the number of reports. The results file holds the same reports,
// and its init_report line ends with one more blank.
int check_whole_run(const StreamingRun& run, int threads, bool prompt, bool with_results = true)
{
    const std::vector<std::string> console = split_lines(run.program.console());
    const std::vector<std::string> start = expected_console_start(threads);
    EXPECT_GE(console.size(), start.size());
    if (console.size() < start.size())
        return 0;
    for (std::size_t n = 0; n < start.size(); ++n)
        if (static_cast<int>(n) != console_init_line) {
            EXPECT_EQ(console[n], start[n]) << "console line " << n;
        }
    const int window = check_init_line(console[console_init_line], "");
    std::size_t end = console.size();
    if (prompt) {
        EXPECT_EQ(console.back(), "Press Enter to Exit.");
        --end;
    }
    const int reports = check_reports(console, start.size(), end, window);

    if (!with_results) {
        // The directory in the file's place is left as it was.
        struct stat info;
        EXPECT_EQ(stat((run.dir + "/" + results_name).c_str(), &info), 0);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        return reports;
    }
    const std::vector<std::string> results = split_lines(read_file(run.dir + "/" + results_name));
    const std::vector<std::string> results_start = expected_results_start(threads);
    EXPECT_GE(results.size(), results_start.size());
    if (results.size() < results_start.size())
        return reports;
    for (std::size_t n = 0; n < results_start.size(); ++n)
        if (static_cast<int>(n) != results_init_line) {
            EXPECT_EQ(results[n], results_start[n]) << "results line " << n;
        }
    EXPECT_EQ(results[results_init_line], console[console_init_line] + " ");
    EXPECT_EQ(check_init_line(results[results_init_line], " "), window);
    // The same reports, and nothing after them.
    const std::vector<std::string> console_reports(console.begin() + start.size(), console.begin() + end);
    const std::vector<std::string> results_reports(results.begin() + results_start.size(), results.end());
    EXPECT_TRUE(console_reports == results_reports)
        << console_reports.size() << " console lines, " << results_reports.size() << " results lines";
    return reports;
}

// Esc, the prompt, then Enter: status 0, and results got nothing more.
void escape_and_enter(StreamingRun& run)
{
    run.settle();
    const std::string results_before = run.program.file(results_name);
    run.program.key("Escape");
    ASSERT_TRUE(run.program.wait_for_lines("Press Enter to Exit.", 1));
    EXPECT_TRUE(run.program.wait_for_input_read()) << "did not wait at the prompt";
    run.program.send_input("\n");
    ASSERT_TRUE(run.program.wait_exit());
    EXPECT_EQ(run.program.exit_status(), 0);
    EXPECT_EQ(run.program.file(results_name), results_before);
}

// "one eight refused" as the malloc counter writes them.
void read_counts(const std::string& path, unsigned long long* one, unsigned long long* eight,
                 unsigned long long* refused)
{
    std::istringstream counts(read_file(path));
    counts >> *one >> *eight >> *refused;
    ASSERT_TRUE(static_cast<bool>(counts)) << read_file(path);
}

const unsigned long long count = static_cast<unsigned long long>(execution_count);

} // namespace

// Start-up text, the title, the first showing's report with nothing else
// while the window is left alone, the inputs that do nothing, C in paused,
// and Esc in paused. Real rendering: the window shows only black.
TEST(StreamingWindow, StartUpFirstShowingAndPausedInput)
{
    XServer server;
    StreamingRun run(server, make_work_dir("streaming_start"), {"OMP_NUM_THREADS=12"});
    start(run);
    if (HasFatalFailure())
        return;
    // Left alone, the window gives one report only: then the program
    // sleeps until there is input.
    EXPECT_EQ(run.settle(), 1);

    const Screenshot shot = run.program.screenshot();
    EXPECT_EQ(shot.width, 400);
    EXPECT_EQ(shot.height, 100);
    int lit = 0;
    for (std::uint32_t pixel : shot.pixels)
        lit += pixel != 0;
    EXPECT_EQ(lit, 0) << "pixels that are not black";

    // Releases, the middle button, the wheel and other keys print nothing;
    // P and the right button in paused change nothing.
    const std::uint64_t sleeps = run.program.sleeps();
    run.program.release(1);
    run.program.release(3);
    for (int button : {2, 4, 5})
        run.program.click(button);
    for (const char* key : {"q", "a", "x", "space", "1", "Return", "Tab", "Up", "F1", "P", "p"})
        run.program.key(key);
    run.program.click(3);
    expect_paused(run, "ignored input", sleeps);
    EXPECT_EQ(run.reports(), 1);

    // C and c in paused: exactly one report each.
    run.program.key("C");
    ASSERT_TRUE(run.wait_reports(2));
    EXPECT_EQ(run.settle(), 2);
    run.program.key("c");
    ASSERT_TRUE(run.wait_reports(3));
    EXPECT_EQ(run.settle(), 3);

    escape_and_enter(run);
    EXPECT_EQ(check_whole_run(run, 8, true), 3);
}

// The running state and its ways in and out, by keys and buttons, and Esc
// in running.
TEST(StreamingWindow, RunningStatesFollowKeysAndButtons)
{
    XServer server;
    StreamingRun run(server, make_work_dir("streaming_states"), {"GALLIUM_NOOP=1", "OMP_NUM_THREADS=4"});
    start(run);
    if (HasFatalFailure())
        return;
    EXPECT_EQ(run.settle(), 1) << "the first showing";

    const struct {
        const char* input;   // a key name, or "press N" / "release N" / "click N"
        bool running;
    } steps[] = {
        {"R", true},        {"R", true},          {"P", false},         {"r", true},
        {"click 3", false}, {"click 1", true},    {"C", true},          {"press 1", true},
        {"release 1", true}, {"c", true},         {"p", false},         {"press 3", false},
        {"release 3", false}, {"press 1", true},  {"release 1", true},  {"press 3", false},
        {"release 3", false}, {"R", true},
    };
    for (const auto& step : steps) {
        const std::string input = step.input;
        const std::uint64_t sleeps = run.program.sleeps();
        if (input.rfind("press ", 0) == 0)
            run.program.press(std::atoi(input.c_str() + 6));
        else if (input.rfind("release ", 0) == 0)
            run.program.release(std::atoi(input.c_str() + 8));
        else if (input.rfind("click ", 0) == 0)
            run.program.click(std::atoi(input.c_str() + 6));
        else
            run.program.key(input);
        if (step.running)
            expect_running(run, step.input);
        else
            expect_paused(run, step.input, sleeps);
    }

    // Esc in running: the prompt, and then no report any more.
    run.program.key("Escape");
    ASSERT_TRUE(run.program.wait_for_lines("Press Enter to Exit.", 1));
    const std::string results_before = run.program.file(results_name);
    ASSERT_TRUE(run.program.wait_for_input_read()) << "did not wait at the prompt";
    EXPECT_EQ(split_lines(run.program.console()).back(), "Press Enter to Exit.");
    EXPECT_EQ(run.program.file(results_name), results_before);
    run.program.send_input("x");
    ASSERT_TRUE(run.program.wait_exit());
    EXPECT_EQ(run.program.exit_status(), 0);
    EXPECT_GT(check_whole_run(run, 4, true), 10);
}

// Every allocation of the workloads happens (counted from outside by a
// preloaded malloc), and Esc with standard input at its end exits at once.
TEST(StreamingWindow, EveryAllocationHappens)
{
    XServer server;
    const std::string dir = make_work_dir("streaming_allocations");
    StreamingRun run(server, dir,
                     {"GALLIUM_NOOP=1", "OMP_NUM_THREADS=8", "MALLOC_COUNT_LOG=" + dir + "/counts.txt",
                      "LD_PRELOAD=" + helper_path("libmalloc_counter.so")});
    start(run);
    if (HasFatalFailure())
        return;
    run.settle();
    run.program.close_input();
    run.program.key("Escape");
    ASSERT_TRUE(run.program.wait_exit());
    EXPECT_EQ(run.program.exit_status(), 0);
    EXPECT_EQ(check_whole_run(run, 8, true), 1);

    unsigned long long one = 0, eight = 0, refused = 0;
    read_counts(dir + "/counts.txt", &one, &eight, &refused);
    // The float and integer elements are 8 bytes, the logic ones 1 byte;
    // the libraries make a few small allocations of their own.
    EXPECT_GE(eight, 2 * count);
    EXPECT_LT(eight, 2 * count + 100000);
    EXPECT_GE(one, count);
    EXPECT_LT(one, count + 100000);
    EXPECT_EQ(refused, 0u);
}

// A heap that runs out: the allocations that fail are skipped, and the run
// goes on to its report as usual. Each thread's allocations fail from its
// ten millionth to its 24 millionth (in the 32-bit build from the five to
// the twelve millionth), in the integer and logic workloads; the libraries'
// own small allocations after the workloads get memory again.
TEST(StreamingWindow, AllocationsThatFailAreSkipped)
{
    XServer server;
    const std::string dir = make_work_dir("streaming_full_heap");
    const std::string from = build_is_64 ? "10000000" : "5000000";
    const std::string refused_count = build_is_64 ? "14000000" : "7000000";
    StreamingRun run(server, dir,
                     {"GALLIUM_NOOP=1", "OMP_NUM_THREADS=8", "MALLOC_COUNT_LOG=" + dir + "/counts.txt",
                      "MALLOC_REFUSE_FROM=" + from, "MALLOC_REFUSE_COUNT=" + refused_count, "LD_PRELOAD=" + helper_path("libmalloc_counter.so")});
    start(run);
    if (HasFatalFailure())
        return;
    run.program.key("C");
    ASSERT_TRUE(run.wait_reports(2));
    escape_and_enter(run);
    EXPECT_EQ(check_whole_run(run, 8, true), 2);

    unsigned long long one = 0, eight = 0, refused = 0;
    read_counts(dir + "/counts.txt", &one, &eight, &refused);
    EXPECT_GE(eight, 2 * count);
    EXPECT_GE(one, count);
    EXPECT_GT(refused, count) << "too few allocations failed";
}

// Closing the window as a user does ends the process with status 0, without
// the prompt.
TEST(StreamingWindow, ClosingTheWindowEndsWithStatusZero)
{
    XServer server;
    StreamingRun run(server, make_work_dir("streaming_close"), {"GALLIUM_NOOP=1", "OMP_NUM_THREADS=2"});
    start(run);
    if (HasFatalFailure())
        return;
    run.settle();
    run.program.close_window();
    ASSERT_TRUE(run.program.wait_exit());
    EXPECT_EQ(run.program.exit_status(), 0);
    EXPECT_EQ(check_whole_run(run, 2, false), 1);
}

// A results file that cannot be created: the console run is complete, and
// the exit status is 0.
TEST(StreamingWindow, ResultsFileThatCannotBeCreated)
{
    XServer server;
    const std::string dir = make_work_dir("streaming_no_results");
    ASSERT_EQ(mkdir((dir + "/" + results_name).c_str(), 0755), 0);
    StreamingRun run(server, dir, {"GALLIUM_NOOP=1", "OMP_NUM_THREADS=3"});
    start(run);
    if (HasFatalFailure())
        return;
    run.settle();
    run.program.key("C");
    ASSERT_TRUE(run.wait_reports(2));
    run.settle();
    run.program.key("Escape");
    ASSERT_TRUE(run.program.wait_for_lines("Press Enter to Exit.", 1));
    run.program.send_input("\n");
    ASSERT_TRUE(run.program.wait_exit());
    EXPECT_EQ(run.program.exit_status(), 0);
    EXPECT_EQ(check_whole_run(run, 3, true, false), 2);
}

TEST(StreamingWindow, TimedIntervalsHoldOnlyTheirWork)
{
    // The probe records clock readings, parallel regions, console output and
    // file writes in their order.
    XServer server;
    const std::string dir = make_work_dir("streaming_intervals");
    std::vector<std::string> env = probe_environment(dir + "/events.txt");
    env.push_back("GALLIUM_NOOP=1");
    StreamingRun run(server, dir, env);
    start(run);
    const int first = run.settle();
    run.program.key("C");
    ASSERT_TRUE(run.wait_reports(first + 1));
    run.settle();
    run.program.close_window();
    ASSERT_TRUE(run.program.wait_exit());
    const int reports = run.reports();

    const std::vector<std::string> events = probe_events(dir + "/events.txt");
    const std::vector<std::size_t> readings = clock_readings(events);
    // The set-up's two readings, then two for each of the three blocks of
    // every display call.
    ASSERT_EQ(readings.size(), 2u + 6u * reports);
    std::size_t last = readings[0] - 1;
    while (last > 0 && events[last] == "write")
        --last;
    EXPECT_EQ(events[last], "flush") << "the notice is flushed before the set-up starts";
    EXPECT_EQ(events_between(events, readings[0], readings[1]),
              (std::vector<std::string>{"parallel_begin", "parallel_end", "parallel_begin", "parallel_end",
                                        "parallel_begin", "parallel_end"}));
    for (std::size_t pair = 1; pair < readings.size() / 2; ++pair) {
        EXPECT_EQ(readings[2 * pair + 1], readings[2 * pair] + 1) << "replay " << pair << " holds more than GL";
        const std::size_t after = pair + 1 < readings.size() / 2 ? readings[2 * pair + 2] : events.size();
        const std::vector<std::string> report = events_between(events, readings[2 * pair + 1], after);
        EXPECT_NE(std::find(report.begin(), report.end(), "flush"), report.end()) << "block " << pair;
        EXPECT_NE(std::find(report.begin(), report.end(), "write"), report.end()) << "block " << pair;
    }
}
