// The report blocks of a display call: texts, labels, and the order in which
// the lines reach the console and the results file.
#include "element_values.h"
#include "stream_report.h"

#include <gtest/gtest.h>

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

// One log of whole lines from two streams, each line tagged with its stream,
// in the order the lines were completed.
class InterleavedLog {
public:
    class Buffer : public std::streambuf {
    public:
        Buffer(InterleavedLog& log, char tag) : log_(log), tag_(tag) {}

    protected:
        int overflow(int c) override
        {
            if (c == '\n') {
                log_.lines.push_back(std::string(1, tag_) + ":" + pending_);
                pending_.clear();
            } else if (c != traits_type::eof()) {
                pending_ += static_cast<char>(c);
            }
            return c;
        }
        int sync() override
        {
            log_.unflushed += pending_.empty() ? 0 : 1;
            return 0;
        }

    private:
        InterleavedLog& log_;
        char tag_;
        std::string pending_;
    };

    InterleavedLog() : console_buffer(*this, 'C'), results_buffer(*this, 'F'), console(&console_buffer),
                       results(&results_buffer) {}

    // The lines of one stream alone, without tag.
    std::vector<std::string> of(char tag) const
    {
        std::vector<std::string> out;
        for (const auto& line : lines)
            if (line[0] == tag)
                out.push_back(line.substr(2));
        return out;
    }

    std::vector<std::string> lines;
    int unflushed = 0;
    Buffer console_buffer;
    Buffer results_buffer;
    std::ostream console;
    std::ostream results;
};

int window_calls = 0;
int current_window()
{
    ++window_calls;
    return 3;
}

} // namespace

TEST(StreamReport, OneBlockInItsWriteOrder)
{
    InterleavedLog log;
    window_calls = 0;
    stream_report(log.console, log.results, current_window, "Float Streaming.", system_spent_label, 0.25,
                  executions_per_sec(67108864.0, 0.25));
    const std::vector<std::string> expected = {
        "C:window: 3",
        "F:window: 3",
        "C:Float Streaming.",
        "F:Float Streaming.",
        "C:The system spent: 0.25 Secs. ",
        "C:It was: 268.435 Millions Executions/sec.",
        "F:The system spent: 0.25 Secs. ",
        "F:It was: 268.435 Millions Executions/sec.",
        "C:",
        "F:",
    };
    EXPECT_EQ(log.lines, expected);
    // The window id is asked anew for each stream.
    EXPECT_EQ(window_calls, 2);
    EXPECT_EQ(log.unflushed, 0);
}

TEST(StreamReport, SeventeenLinesPerStreamForEveryDisplay)
{
    InterleavedLog log;
    // The sequence that display writes: three blocks, then the two lines.
    stream_report(log.console, log.results, current_window, float_heading, system_spent_label, 1e-5,
                  executions_per_sec(1e6, 1e-5));
    stream_report(log.console, log.results, current_window, integer_heading, system_spent_label, 2e-5,
                  executions_per_sec(1e6, 2e-5));
    stream_report(log.console, log.results, current_window, logic_heading, logic_spent_label, 4e-5,
                  executions_per_sec(1e6, 4e-5));
    stream_report_end(log.console, log.results);
    const std::vector<std::string> expected = {
        "window: 3", "Float Streaming.",   "The system spent: 1e-005 Secs. ", "It was: 100000 Millions Executions/sec.", "",
        "window: 3", "Integer Streaming.", "The system spent: 2e-005 Secs. ", "It was: 50000 Millions Executions/sec.",  "",
        "window: 3", "Logic Streaming.",   "The spent: 4e-005 Secs. ",        "It was: 25000 Millions Executions/sec.",  "",
        "",          "",
    };
    EXPECT_EQ(log.of('C'), expected);
    EXPECT_EQ(log.of('F'), expected);
    // The last four lines alternate console, results, console, results.
    const std::vector<std::string> tail(log.lines.end() - 4, log.lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"C:", "F:", "C:", "F:"}));
}

TEST(StreamReport, LabelsAndHeadings)
{
    EXPECT_STREQ(float_heading, "Float Streaming.");
    EXPECT_STREQ(integer_heading, "Integer Streaming.");
    EXPECT_STREQ(logic_heading, "Logic Streaming.");
    EXPECT_STREQ(system_spent_label, "The system spent: ");
    EXPECT_STREQ(logic_spent_label, "The spent: ");
}

TEST(StreamReport, RatesOfTheBuild)
{
    const double executions = static_cast<double>(execution_count);
    const struct {
        double seconds;
        const char* rate_64;
        const char* rate_32;
    } cases[] = {
        {0.0005, "It was: 134218 Millions Executions/sec.", "It was: 67108.9 Millions Executions/sec."},
        {0.0, "It was: 1.#INF Millions Executions/sec.", "It was: 1.#INF Millions Executions/sec."},
        {2.0, "It was: 33.5544 Millions Executions/sec.", "It was: 16.7772 Millions Executions/sec."},
        {8.0943e-005, "It was: 829088 Millions Executions/sec.", "It was: 414544 Millions Executions/sec."},
    };
    for (const auto& c : cases) {
        InterleavedLog log;
        stream_report(log.console, log.results, current_window, float_heading, system_spent_label, c.seconds,
                      executions_per_sec(executions, c.seconds));
        const std::vector<std::string> console = log.of('C');
        ASSERT_EQ(console.size(), 5u);
        EXPECT_EQ(console[3], sizeof(void*) == 8 ? c.rate_64 : c.rate_32) << c.seconds;
    }
    // The stored rate of the x86-64 build (x87 keeps the wider quotient
    // until it is stored, so the 32-bit build checks only its text).
    if (sizeof(void*) == 8) {
        EXPECT_EQ(executions_per_sec(67108864.0, 0.0005), 134217728000.0);
    }
}
