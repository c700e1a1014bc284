// The shared text blocks, the build texts and the thread cap.
#include "build_texts.h"
#include "report_texts.h"
#include "text_blocks.h"
#include "thread_setup.h"

#include <gtest/gtest.h>

#include <climits>
#include <iostream>
#include <omp.h>
#include <sstream>

namespace {

// Collects what a block writes to the console.
class ConsoleCapture {
public:
    ConsoleCapture() : saved_(std::cout.rdbuf(text_.rdbuf())) {}
    ~ConsoleCapture() { std::cout.rdbuf(saved_); }
    std::string text() const { return text_.str(); }

private:
    std::ostringstream text_;
    std::streambuf* saved_;
};

const char* const expected_64 = "x86_64bit";
const char* const expected_32 = "x86_32bit";

} // namespace

TEST(BuildTexts, NamesCarryTheWordSize)
{
    const std::string bits = sizeof(void*) == 8 ? "64" : "32";
    const std::string system = sizeof(void*) == 8 ? expected_64 : expected_32;
    EXPECT_EQ(banner("Graphics Triangles"),
              "Quorvel :: Tamberlin Benchmark Graphics Triangles for " + system + " system 2013.09.13.");
    EXPECT_EQ(banner("Screens"), "Quorvel :: Tamberlin Benchmark Screens for " + system + " system 2013.09.13.");
    EXPECT_EQ(results_file_name("cube"), "results_cube_" + bits + ".txt");
    EXPECT_EQ(window_title("Streaming"), "OPENGL Streaming " + bits);
}

TEST(ThreadSetup, CapIsASignedComparisonWithEight)
{
    const struct {
        int count;
        int capped;
    } cases[] = {{16, 8}, {12, 8}, {9, 8}, {8, 8}, {4, 4}, {3, 3}, {1, 1}, {0, 0}, {-1, -1}, {INT_MAX, 8}};
    for (const auto& c : cases)
        EXPECT_EQ(capped_thread_count(c.count), c.capped) << c.count;
}

TEST(ThreadSetup, SetsTheCappedCount)
{
    omp_set_num_threads(16);
    set_up_threads();
    EXPECT_EQ(max_threads, 16);
    EXPECT_EQ(num_threads, 8);
    EXPECT_EQ(omp_get_max_threads(), 8);
    omp_set_num_threads(3);
    set_up_threads();
    EXPECT_EQ(num_threads, 3);
    EXPECT_EQ(omp_get_max_threads(), 3);
}

TEST(TextBlocks, ConsoleHeader)
{
    ConsoleCapture console;
    console_header("BANNER");
    EXPECT_EQ(console.text(), std::string("\nBANNER\n") + maker_line + "\n" + support_line + "\n\n\n\n");
    EXPECT_EQ(std::string(support_line).rfind("For Support: ", 0), 0u);
}

TEST(TextBlocks, ResultsHeaders)
{
    omp_set_num_threads(4);
    std::ostringstream long_form;
    results_header(long_form, "BANNER");
    EXPECT_EQ(long_form.str(), "BANNER\n\nThread(s): 4\n\n");
    std::ostringstream short_form;
    results_header_short(short_form, "BANNER");
    EXPECT_EQ(short_form.str(), "BANNER\n\n");
    EXPECT_EQ(thread_line_text(8), "Thread(s): 8");
}

TEST(TextBlocks, KeyHelpInBothWordings)
{
    {
        ConsoleCapture console;
        key_help(animate_key_help);
        EXPECT_EQ(console.text(),
                  "Press Key R or Press Mouse Left button to Animate.\n"
                  "Press Key C to Animate Manually.\n"
                  "Press Key P or Press Mouse Right button for Pause.\n"
                  "Press Key Esc for exit.\n\n\n");
    }
    {
        ConsoleCapture console;
        key_help(run_key_help);
        EXPECT_EQ(console.text(),
                  "Press Key R or Press Mouse Left button to Run Automatically.\n"
                  "Press Key C to Run Manually.\n"
                  "Press Key P or Press Mouse Right button for Pause.\n"
                  "Press Key Esc for exit.\n\n\n");
    }
    ConsoleCapture console;
    init_notice();
    EXPECT_EQ(console.text(), "Initializing . . .\n\n");
}

namespace {
int window_calls = 0;
int fake_window()
{
    return 40 + ++window_calls;
}
} // namespace

TEST(TextBlocks, InitReports)
{
    EXPECT_EQ(init_report_text(0.07), "It spent: 0.07 Secs to Initialize.");
    EXPECT_EQ(window_init_report_text(1, 2.5), "For window: 1, the system spent: 2.5 Secs to Initialize.");
    {
        ConsoleCapture console;
        std::ostringstream file;
        init_report(file, 0.125);
        EXPECT_EQ(console.text(), "It spent: 0.125 Secs to Initialize.\n\n\n");
        EXPECT_EQ(file.str(), console.text());
    }
    {
        // The window id is asked for anew for each copy; the streaming file
        // copy ends with one more blank.
        window_calls = 0;
        ConsoleCapture console;
        std::ostringstream file;
        window_init_report(file, fake_window, 3.0, " ");
        EXPECT_EQ(console.text(), "For window: 41, the system spent: 3 Secs to Initialize.\n\n\n");
        EXPECT_EQ(file.str(), "For window: 42, the system spent: 3 Secs to Initialize. \n\n\n");
    }
}

TEST(ReportTexts, SharedLineShapes)
{
    EXPECT_EQ(window_text(1), "window: 1");
    EXPECT_EQ(spent_text("It spent: ", 0.25), "It spent: 0.25 Secs. ");
    EXPECT_EQ(was_text(4.0, " Angles/sec."), "It was: 4 Angles/sec.");
    EXPECT_EQ(millions_executions_text(134217728000.0), "It was: 134218 Millions Executions/sec.");
    volatile double zero = 0.0;
    EXPECT_EQ(millions_executions_text(1.0 / zero), "It was: 1.#INF Millions Executions/sec.");
}
