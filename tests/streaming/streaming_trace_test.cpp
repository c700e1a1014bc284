// The GL calls of the real program, recorded from outside with apitrace:
// the state list, the three display lists and what every display call does.
#include "gl_trace.h"
#include "streaming_run.h"

#include "build_texts.h"
#include "files.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {


// The program's GL calls in order, one text each ("glEnable(GL_FOG)",
// "glGenLists(2) = 2"). Window-system calls are reduced to their names;
// left out are the calls GLUT makes itself (the viewport of its default
// reshape handling, the flush before every swap) and the tracer's own
// records of state it found ("// fake").
std::vector<std::string> gl_calls(const std::string& dump)
{
    std::vector<std::string> calls;
    for (const std::string& line : split_lines(dump)) {
        if (line.rfind("gl", 0) != 0 || line.find("// fake") != std::string::npos)
            continue;
        if (line.rfind("glX", 0) == 0) {
            if (line.rfind("glXSwapBuffers", 0) == 0)
                calls.push_back("glXSwapBuffers");
            continue;
        }
        if (line.rfind("glViewport(", 0) == 0 || line == "glFlush()")
            continue;
        calls.push_back(line);
    }
    return calls;
}

} // namespace

TEST(StreamingTrace, StateListDisplayListsAndReplays)
{
    XServer server;
    const std::string dir = make_work_dir("streaming_trace");
    // The tracer preloaded into the program itself, so that the process the
    // test watches is the program's.
    StreamingRun run(server, dir,
                     {"GALLIUM_NOOP=1", "LD_PRELOAD=" + glx_tracer(), "TRACE_FILE=" + dir + "/streaming.trace"});
    ASSERT_TRUE(run.program.find_window(window_title("Streaming")));
    ASSERT_TRUE(run.wait_reports(1));
    const int first = run.settle();
    run.program.key("C");
    ASSERT_TRUE(run.wait_reports(first + 1));
    run.settle();
    run.program.close_input();
    run.program.key("Escape");
    ASSERT_TRUE(run.program.wait_exit());
    ASSERT_EQ(run.program.exit_status(), 0);
    const int reports = run.reports();

    ASSERT_EQ(run_shell("apitrace dump --call-nos=no --arg-names=no streaming.trace >dump.txt 2>dump.err", dir),
              0);
    const std::vector<std::string> calls = gl_calls(read_file(dir + "/dump.txt"));

    std::vector<std::string> expected = traced_state_list(true);
    // glGenLists(1), (2) and (3): the first names of blocks of 1, 2 and 3.
    const std::string ids[3] = {"1", "2", "4"};
    for (int n = 0; n < 3; ++n) {
        expected.push_back("glGenLists(" + std::to_string(n + 1) + ") = " + ids[n]);
        expected.push_back("glNewList(" + ids[n] + ", GL_COMPILE)");
        expected.push_back("glPushMatrix()");
        expected.push_back("glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS)");
        expected.push_back("glPopClientAttrib()");
        expected.push_back("glPopMatrix()");
        expected.push_back("glEndList()");
    }
    for (int report = 0; report < reports; ++report) {
        // The tracer names the bits of 0x4700 in its own order.
        expected.push_back("glClear(GL_DEPTH_BUFFER_BIT | GL_ACCUM_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | "
                           "GL_COLOR_BUFFER_BIT)");
        expected.push_back("glClearColor(0, 0, 0, 0)");
        expected.push_back("glClearDepth(1)");
        expected.push_back("glClearStencil(0)");
        expected.push_back("glClearAccum(0, 0, 0, 0)");
        for (const std::string& id : ids) {
            expected.push_back("glPushMatrix()");
            expected.push_back("glCallList(" + id + ")");
            expected.push_back("glPopMatrix()");
            expected.push_back("glXSwapBuffers");
        }
    }
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "glEnable(GL_NORMALIZE)"), 0);
}
