// The GL calls of a short real triangles run, recorded from outside with
// apitrace: the state list, the array set-up, the empty list and each
// frame's calls in order; and from the recorded data, that the colour,
// normal and vertex arrays and the index list are the array's own bytes.
#include "files.h"
#include "gl_trace.h"
#include "x_session.h"

#include "build_texts.h"
#include "fill.h"
#include "frame_values.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <regex>

double* vertex_data = nullptr;   // not used here; fill.cpp refers to it

namespace {

// The dump's GL calls, without the window-system calls but the swap, the
// calls apitrace fakes for client memory, and comments.
std::vector<std::string> gl_calls(const std::string& dump)
{
    std::vector<std::string> calls;
    for (const std::string& line : split_lines(dump)) {
        if (line.empty() || line.rfind("//", 0) == 0 || line.find("// fake") != std::string::npos)
            continue;
        if (line.rfind("glX", 0) == 0 && line.rfind("glXSwapBuffers", 0) != 0)
            continue;
        calls.push_back(line.rfind("glXSwapBuffers", 0) == 0 ? "glXSwapBuffers" : line);
    }
    return calls;
}

// The float values between the braces of a glLightfv line.
std::vector<float> floats_in(const std::string& line)
{
    std::vector<float> values;
    const std::string::size_type open = line.find('{');
    const char* p = line.c_str() + open + 1;
    while (*p && *p != '}') {
        char* end = nullptr;
        values.push_back(std::strtof(p, &end));
        p = end;
        while (*p == ',' || *p == ' ')
            ++p;
    }
    return values;
}

void expect_floats(const std::string& line, const float* expected, int count)
{
    const std::vector<float> values = floats_in(line);
    ASSERT_EQ(values.size(), static_cast<std::size_t>(count)) << line;
    for (int n = 0; n < count; ++n)
        EXPECT_NEAR(values[n], expected[n], 1e-6 * (1.0 + std::abs(expected[n]))) << line;
}

} // namespace

TEST(TrianglesTrace, CallsInOrderAndTheArraysAreVertexData)
{
    XServer server;
    const std::string dir = make_work_dir("triangles_trace");
    std::vector<std::string> env = {"LD_PRELOAD=" + glx_tracer(), "TRACE_FILE=" + dir + "/run.trace"};
    // Under the emulator a really rasterized frame takes minutes; the calls
    // are the same with rasterization skipped.
    if (runs_emulated())
        env.push_back("GALLIUM_NOOP=1");
    auto program = std::make_unique<WindowProgram>(server, benchmark_path("triangles"), dir, env);
    ASSERT_TRUE(program->find_window(window_title("Triangles")));
    // The first showing, then one step by C and one by c, each waited for
    // by its own frame.
    ASSERT_TRUE(program->wait_for_lines("window: ", 1, true));
    program->key("C");
    ASSERT_TRUE(program->wait_for_lines("It drew 18000 Triangles.", 1));
    program->key("c");
    ASSERT_TRUE(program->wait_for_lines("It drew 24000 Triangles.", 1));
    ASSERT_TRUE(program->wait_until_asleep());
    program->key("Escape");
    ASSERT_TRUE(program->wait_for_lines("Press Enter to Exit.", 1));
    program->close_input();
    ASSERT_TRUE(program->wait_exit());
    const int frames = program->count_lines("window: ", true);

    ASSERT_EQ(run_shell("apitrace dump --call-nos=no --arg-names=no run.trace >dump.txt 2>dump.err", dir), 0);
    const std::vector<std::string> calls = gl_calls(read_file(dir + "/dump.txt"));

    std::vector<std::string> set_up = traced_state_list(false);
    for (const char* call : {"glEnableClientState(GL_COLOR_ARRAY)", "glEnableClientState(GL_NORMAL_ARRAY)",
                             "glEnableClientState(GL_VERTEX_ARRAY)"})
        set_up.push_back(call);
    ASSERT_GE(calls.size(), set_up.size() + 3);
    for (std::size_t n = 0; n < set_up.size(); ++n)
        EXPECT_EQ(calls[n], set_up[n]) << "call " << n;
    std::smatch match;
    std::size_t n = set_up.size();
    ASSERT_TRUE(std::regex_match(calls[n], match, std::regex("glGenLists\\(1\\) = ([0-9]+)"))) << calls[n];
    const std::string list = match[1].str();
    EXPECT_EQ(calls[n + 1], "glNewList(" + list + ", GL_COMPILE)");
    EXPECT_EQ(calls[n + 2], "glEndList()");
    n += 3;

    const std::vector<std::string> reshape = {"glViewport(0, 0, 720, 720)", "glMatrixMode(GL_PROJECTION)",
                                              "glLoadIdentity()", "glMatrixMode(GL_MODELVIEW)", "glLoadIdentity()"};
    double angle = 1.0;
    int drawn = 0;
    while (n < calls.size()) {
        if (calls[n] == reshape[0]) {
            for (std::size_t k = 0; k < reshape.size(); ++k)
                EXPECT_EQ(calls[n + k], reshape[k]);
            n += reshape.size();
            continue;
        }
        // One frame: the calls of display from the clear to the swap.
        ASSERT_LE(n + 17, calls.size()) << "frame " << drawn << " is cut short";
        if (drawn > 0 && calls[n + 7] != "glRotated(" + std::to_string(static_cast<int>(45 + angle)) + ", 1, 1, 1)")
            angle += 1.0;   // a step by C since the last frame
        const int count = static_cast<int>(36000.0 + angle * 36000.0);
        float light_position[4];
        float spot_direction[3];
        light_vectors(angle, light_position, spot_direction);
        const std::vector<std::string> frame = {
            "glClear(GL_DEPTH_BUFFER_BIT | GL_ACCUM_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_COLOR_BUFFER_BIT)",
            "glClearColor(0, 0, 0, 0)", "glClearDepth(1)", "glClearStencil(0)", "glClearAccum(0, 0, 0, 0)",
            "glPushMatrix()", "glScaled(0.5, 0.5, 0.5)",
            "glRotated(" + std::to_string(static_cast<int>(45 + angle)) + ", 1, 1, 1)",
            "glTranslated(-0.5, -0.5, -0.5)", "", "", "glDrawBuffer(GL_BACK)",
            "glDrawElements(GL_TRIANGLES, " + std::to_string(count) + ", GL_UNSIGNED_BYTE, blob(" +
                std::to_string(count) + "))",
            "glCallList(" + list + ")", "glPopMatrix()", "glFlush()", "glXSwapBuffers"};
        for (std::size_t k = 0; k < frame.size(); ++k)
            if (!frame[k].empty()) {
                EXPECT_EQ(calls[n + k], frame[k]) << "frame " << drawn << ", call " << k;
            }
        EXPECT_EQ(calls[n + 9].rfind("glLightfv(GL_LIGHT0, GL_POSITION, {", 0), 0u) << calls[n + 9];
        expect_floats(calls[n + 9], light_position, 4);
        EXPECT_EQ(calls[n + 10].rfind("glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, {", 0), 0u) << calls[n + 10];
        expect_floats(calls[n + 10], spot_direction, 3);
        n += frame.size();
        ++drawn;
    }
    EXPECT_EQ(drawn, frames);
    EXPECT_EQ(angle, 3.0);

    // The data of the first draw: the three arrays and the index list are
    // the same bytes, the start of the filled array.
    ASSERT_EQ(run_shell("mkdir -p blobs && cd blobs && apitrace dump --blobs --arg-names=no ../run.trace "
                        ">../numbered.txt 2>/dev/null",
                        dir),
              0);
    std::string blob[4];
    const char* names[4] = {"glColorPointer(3, GL_DOUBLE, 0, ", "glNormalPointer(GL_DOUBLE, 0, ",
                            "glVertexPointer(3, GL_DOUBLE, 0, ", "glDrawElements(GL_TRIANGLES, 72000, GL_UNSIGNED_BYTE, "};
    int found = 0;
    for (const std::string& line : split_lines(read_file(dir + "/numbered.txt"))) {
        if (found == 4)
            break;
        if (line.find(names[found]) != std::string::npos &&
            std::regex_search(line, match, std::regex("blob\\(\"(blob_call[0-9]+\\.bin)\"\\)")))
            blob[found++] = read_file(dir + "/blobs/" + match[1].str());
    }
    ASSERT_EQ(found, 4);
    ASSERT_EQ(blob[3].size(), 72000u);
    ASSERT_EQ(blob[0].size(), 256u * 24u);   // indices reach vertex 255 at most
    EXPECT_EQ(blob[0], blob[1]);
    EXPECT_EQ(blob[0], blob[2]);
    EXPECT_EQ(blob[3].compare(0, blob[0].size(), blob[0]), 0);
    std::vector<double> start(9000);
    for (int i = 0; i < 9000; ++i)
        start[i] = fill_value(i);
    EXPECT_EQ(std::memcmp(blob[3].data(), start.data(), blob[3].size()), 0);
}
