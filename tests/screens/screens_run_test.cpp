// The real screens program, run from outside with its console redirected,
// compared line by line with the texts it must print.
#include "console_program.h"
#include "files.h"
#include "report_checks.h"
#include "probe_log.h"
#include "process_state.h"

#include "build_texts.h"
#include "text_blocks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::size_t pointer_length = sizeof(void*) == 8 ? 16 : 8;
const double characters = sizeof(void*) == 8 ? 131072.0 : 65536.0;

std::string results_name()
{
    return results_file_name("screens");
}

// Runs the program in dir with the given redirections; returns its status.
int run_screens(const std::string& dir, const std::string& redirections)
{
    return run_shell(shell_quote(benchmark_path("screens")) + " " + redirections, dir);
}

// The three report lines agree with each other: the figures are the
// constants over the printed time, to the precision of six digits.
void expect_consistent_report(const std::vector<std::string>& report)
{
    ASSERT_EQ(report.size(), 3u);
    const double time = number_in(report[0], "The system spent: ", " Secs. ");
    const double executions = number_in(report[1], "It was: ", " Millions Executions/sec.");
    const double rate = number_in(report[2], "Conventionally, it was: ", " Characters/sec.");
    ASSERT_GT(time, 0.0);
    EXPECT_NEAR(executions / (8192.0 / time / 1000000.0), 1.0, 2e-5);
    EXPECT_NEAR(rate / (characters / time), 1.0, 2e-5);
}

// The whole results file, given the three report lines.
std::string expected_results(const std::vector<std::string>& report)
{
    return banner("Screens") + "\n\n\n" + report[0] + "\n" + report[1] + "\n" + report[2] + "\n\n\n\n";
}

// Checks the console text line by line and returns its report lines.
std::vector<std::string> check_console(const std::string& text)
{
    const std::vector<std::string> lines = split_lines(text);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(lines.size(), 16u);
    if (lines.size() != 16u)
        return {};
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], banner("Screens"));
    EXPECT_EQ(lines[2], maker_line);
    EXPECT_EQ(lines[3], support_line);
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "");
    const std::string& pointers = lines[7];
    EXPECT_EQ(pointers.size(), 8192 * pointer_length);
    const std::string first = pointers.substr(0, pointer_length);
    EXPECT_EQ(first.find_first_not_of("0123456789ABCDEF"), std::string::npos) << first;
    for (std::size_t n = 0; n < 8192; ++n)
        if (pointers.compare(n * pointer_length, pointer_length, first) != 0) {
            ADD_FAILURE() << "pointer text " << n << " differs";
            break;
        }
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[12], "");
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14], "");
    EXPECT_EQ(lines[15], "Press Enter to Exit.");
    return {lines[9], lines[10], lines[11]};
}

} // namespace

TEST(ScreensRun, ConsoleAndResultsFileAreExact)
{
    const std::string dir = make_work_dir("screens_run");
    // A leftover file of an earlier run is emptied.
    write_file(dir + "/" + results_name(), "left over from an earlier run\n");
    ASSERT_EQ(run_screens(dir, "</dev/null >console.txt"), 0);

    const std::vector<std::string> report = check_console(read_file(dir + "/console.txt"));
    ASSERT_EQ(report.size(), 3u);
    expect_consistent_report(report);
    EXPECT_EQ(read_file(dir + "/" + results_name()), expected_results(report));
}

TEST(ScreensRun, ResultsFileThatCannotBeCreated)
{
    // A directory in the file's place, and a directory the user may not write.
    const std::string taken = make_work_dir("screens_taken");
    ASSERT_EQ(mkdir((taken + "/" + results_name()).c_str(), 0755), 0);
    ASSERT_EQ(run_screens(taken, "</dev/null >console.txt"), 0);
    const std::string console = read_file(taken + "/console.txt");
    expect_consistent_report(check_console(console));
    EXPECT_EQ(console.find("results"), std::string::npos);

    const std::string locked = make_work_dir("screens_locked");
    const std::string out = make_work_dir("screens_locked_out");
    chmod(out.c_str(), 0777);
    chmod(locked.c_str(), 0555);
    // root writes anywhere, so the program then runs as nobody.
    const std::string as_user = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    ASSERT_EQ(run_shell(as_user + shell_quote(benchmark_path("screens")) + " </dev/null >" +
                            shell_quote(out + "/console.txt"),
                        locked),
              0);
    expect_consistent_report(check_console(read_file(out + "/console.txt")));
    EXPECT_FALSE(file_exists(locked + "/" + results_name()));
}

TEST(ScreensRun, StandardInputClosedOrAtEndReturnsAtOnce)
{
    for (const char* input : {"<&-", "</dev/null"}) {
        const std::string dir = make_work_dir("screens_input");
        ASSERT_EQ(run_screens(dir, std::string(input) + " >console.txt"), 0) << input;
        EXPECT_EQ(split_lines(read_file(dir + "/console.txt")).back(), "Press Enter to Exit.");
    }
}

TEST(ScreensRun, WaitsForOneCharacterAtThePrompt)
{
    // Standard input is a pipe that stays open: after the prompt the program
    // blocks reading it, and Enter ends the run.
    const std::string dir = make_work_dir("screens_prompt");
    ConsoleProgram program(benchmark_path("screens"), dir);
    ASSERT_TRUE(program.wait_for_lines("Press Enter to Exit.", 1));
    EXPECT_TRUE(program.wait_for_input_read()) << "no wait for a character";
    EXPECT_EQ(program.console_lines().back(), "Press Enter to Exit.");
    program.send_input("\n");
    ASSERT_TRUE(program.wait_exit());
    EXPECT_EQ(program.exit_status(), 0);
}

// The harness's own account of a program, which is all a log shows of a
// wait that failed: at the prompt, the main thread sleeps in read (x86-64
// and emulated builds: call 0; i386 run by the kernel: call 3); once the
// program has ended, a wait for a line that never came says so, with its
// status and last console lines.
TEST(ScreensRun, FailedWaitSaysWhatTheProgramWasDoing)
{
    const std::string dir = make_work_dir("screens_wait_message");
    ConsoleProgram program(benchmark_path("screens"), dir);
    ASSERT_TRUE(program.wait_for_input_read());
    const std::string pid = std::to_string(program.pid());
    const std::string read_call = sizeof(void*) == 4 && !runs_emulated() ? "in read (3)" : "in read (0)";
    const std::string state = process_state(program.pid());
    EXPECT_NE(state.find("process " + pid + " ("), std::string::npos) << state;
    EXPECT_NE(state.find("  thread " + pid + " ("), std::string::npos) << state;
    EXPECT_NE(state.find("): state S, wchan "), std::string::npos) << state;
    EXPECT_NE(state.find(", " + read_call + ", "), std::string::npos) << state;
    EXPECT_NE(state.find("machine: load average "), std::string::npos) << state;

    program.send_input("\n");
    ASSERT_TRUE(program.wait_exit());
    const ::testing::AssertionResult wait = program.wait_for_lines("never printed", 1);
    EXPECT_FALSE(wait);
    const std::string message = wait.message();
    EXPECT_EQ(message.rfind("no console line \"never printed\": the program ended first, with status 0, ", 0), 0u)
        << message;
    EXPECT_NE(message.find("\n  | Press Enter to Exit.\n"), std::string::npos) << message;
}

TEST(ScreensRun, ConsoleClosedOrBrokenStillCompletesTheResultsFile)
{
    for (const char* output : {">&-", "| head -c 100 >/dev/null; exit ${PIPESTATUS[0]}"}) {
        const std::string dir = make_work_dir("screens_console");
        ASSERT_EQ(run_screens(dir, std::string("</dev/null ") + output), 0) << output;
        const std::vector<std::string> lines = split_lines(read_file(dir + "/" + results_name()));
        ASSERT_EQ(lines.size(), 9u) << output;
        EXPECT_EQ(lines[0], banner("Screens"));
        const std::vector<std::string> report(lines.begin() + 3, lines.begin() + 6);
        expect_consistent_report(report);
        EXPECT_EQ(read_file(dir + "/" + results_name()), expected_results(report)) << output;
    }
}

TEST(ScreensRun, SetsTheThreadCountItReadsWithoutCap)
{
    for (const char* count : {"16", "3"}) {
        const std::string dir = make_work_dir("screens_threads");
        const std::string run = std::string("OMP_NUM_THREADS=") + count + " OMP_PROBE_LOG=probe.txt LD_PRELOAD=" +
                                shell_quote(helper_path("libomp_probe.so")) + " ";
        ASSERT_EQ(run_shell(run + shell_quote(benchmark_path("screens")) + " </dev/null >console.txt", dir), 0);
        EXPECT_EQ(read_file(dir + "/probe.txt"), std::string("omp_set_num_threads ") + count + "\n");
        EXPECT_EQ(read_file(dir + "/console.txt").find("Thread(s)"), std::string::npos);
    }
}

TEST(ScreensRun, TimedLoopHoldsOnlyTheInsertions)
{
    const std::string dir = make_work_dir("screens_intervals");
    const std::string run = "OMP_PROBE_EVENTS=1 OMP_PROBE_LOG=events.txt LD_PRELOAD=" +
                            shell_quote(helper_path("libomp_probe.so")) + " ";
    ASSERT_EQ(run_shell(run + shell_quote(benchmark_path("screens")) + " </dev/null >console.txt", dir), 0);
    const std::vector<std::string> events = probe_events(dir + "/events.txt");
    const std::vector<std::size_t> readings = clock_readings(events);
    ASSERT_EQ(readings.size(), 2u);
    // Between the readings: the 8192 insertions into the console stream and
    // nothing else, no flush and no file write.
    EXPECT_EQ(events_between(events, readings[0], readings[1]), std::vector<std::string>(8192, "console"));
    // The console header is flushed before the loop (the results header's
    // file writes come after it).
    std::size_t last = readings[0] - 1;
    while (last > 0 && events[last] == "write")
        --last;
    EXPECT_EQ(events[last], "flush") << "the header is flushed before the loop";
}
