// The GL calls of the real cube program, recorded from outside with
// apitrace: the state list, the shape and content of the point list, and
// each frame's and reshape's calls in order. The list alone is 50 million
// calls, so the dump is streamed through a summarising awk script and never
// stored.
#include <gtest/gtest.h>

#include "files.h"
#include "gl_trace.h"
#include "x_session.h"

#include "build_texts.h"

#include <cstdlib>
#include <regex>
#include <sstream>
#include <sys/stat.h>

namespace {

// The last point's normal component, as each build computes it (x87 in
// the 32-bit build).
const double last_normal = build_is_64 ? 0.5773502691896258 : 0.5773502691896257;

int frames(const WindowProgram& program)
{
    return program.count_lines("window: ", true);
}

// Waits for a frame after the first `before` ones, then until the program
// has drawn all that were due and sleeps.
void frames_after(WindowProgram& program, int before)
{
    ASSERT_TRUE(program.wait_for_lines("window: ", before + 1, true));
    EXPECT_TRUE(program.wait_until_asleep());
}

double number(const std::string& text)
{
    return std::strtod(text.c_str(), nullptr);
}

// The calls of one frame at the given angle, through glutSwapBuffers' flush.
std::vector<std::string> frame_calls(const std::string& rotation, const std::string& position,
                                     const std::string& direction)
{
    return {"glClear(GL_DEPTH_BUFFER_BIT | GL_ACCUM_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_COLOR_BUFFER_BIT)",
            "glClearColor(0, 0, 0, 0)",
            "glClearDepth(1)",
            "glClearStencil(0)",
            "glClearAccum(0, 0, 0, 0)",
            "glPushMatrix()",
            "glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS)",
            "glScaled(1, 1, 1)",
            "glRotated(" + rotation + ", 1, 1, 1)",
            "glTranslated(-0.5, -0.5, -0.5)",
            "glLightfv(GL_LIGHT0, GL_POSITION, " + position + ")",
            "glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, " + direction + ")",
            "glLogicOp(GL_XOR)",
            "glCallList(1)",
            "glPopClientAttrib()",
            "glPopMatrix()",
            "glFlush()"};
}

std::vector<std::string> reshape_calls(const std::string& width, const std::string& height)
{
    return {"glViewport(0, 0, " + width + ", " + height + ")", "glMatrixMode(GL_MODELVIEW)", "glLoadIdentity()",
            "glMatrixMode(GL_PROJECTION)", "glLoadIdentity()"};
}

bool matches_at(const std::vector<std::string>& lines, std::size_t at, const std::vector<std::string>& calls)
{
    if (at + calls.size() > lines.size())
        return false;
    for (std::size_t n = 0; n < calls.size(); ++n)
        if (lines[at + n] != calls[n])
            return false;
    return true;
}

} // namespace

TEST(CubeTrace, GlCallsFromOutside)
{
    XServer server;
    const std::string dir = make_work_dir("cube_trace");
    const std::string wrapper = dir + "/traced_cube";
    write_file(wrapper, "#!/bin/sh\nexec env LD_PRELOAD=" + shell_quote(glx_tracer()) +
                            " TRACE_FILE=cube.trace " + shell_quote(benchmark_path("cube")) + "\n");
    ASSERT_EQ(chmod(wrapper.c_str(), 0755), 0);

    {
        WindowProgram program(server, wrapper, dir, {"GALLIUM_NOOP=1"});
        ASSERT_TRUE(program.find_window(window_title("Cube")));
        ASSERT_TRUE(program.wait_for_lines("window: ", 1, true));
        ASSERT_TRUE(program.wait_until_asleep());
        // One manual step, then a resize, then Esc.
        const int first = frames(program);
        program.key("c");
        frames_after(program, first);
        const int stepped = frames(program);
        program.resize(1000, 500);
        frames_after(program, stepped);
        program.close_input();
        program.key("Escape");
        ASSERT_TRUE(program.wait_exit());
        ASSERT_EQ(program.exit_status(), 0);
    }

    const int dumped = run_shell("set -o pipefail; apitrace dump --call-nos=no --arg-names=no cube.trace | awk -f " +
                                     shell_quote(CUBE_TEST_SOURCE_DIR "/list_trace_summary.awk") +
                                     " > summary.txt && rm cube.trace",
                                 dir);
    ASSERT_EQ(dumped, 0);
    const std::vector<std::string> lines = split_lines(read_file(dir + "/summary.txt"));

    // The state list, then the list's name and compilation.
    std::size_t at = 0;
    while (at < lines.size() && lines[at] != "glShadeModel(GL_SMOOTH)")
        ++at;
    std::vector<std::string> init_calls = traced_state_list(false);
    for (const char* call : {
        "glGenLists(1) = 1",
        "glNewList(1, GL_COMPILE)",
        "in list: glPushMatrix()",
        "in list: glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS)",
        "in list: glBegin(GL_POINTS)"})
        init_calls.push_back(call);
    ASSERT_TRUE(matches_at(lines, at, init_calls)) << (at < lines.size() ? lines[at] : "no glShadeModel");
    // Before the state list only the context's own set-up.
    for (std::size_t n = 0; n < at; ++n)
        EXPECT_NE(lines[n].find("// fake"), std::string::npos) << lines[n];
    at += init_calls.size();

    // Five points, each as normal, colour and vertex.
    const std::string nan = "-?nan";
    const std::string q = "0\\.00390625";
    const std::string top = "0\\.99609375";
    const std::string n_ = "([0-9.e-]+)";
    const std::vector<std::string> points = {
        "point 0 glNormal3d\\(" + nan + ", " + nan + ", " + nan + "\\)", "point 0 glColor3d\\(0, 0, 0\\)",
        "point 0 glVertex3d\\(0, 0, 0\\)",
        "point 1 glNormal3d\\(1, 0, 0\\)", "point 1 glColor3d\\(0, " + q + ", 0\\)",
        "point 1 glVertex3d\\(0, 0, " + q + "\\)",
        "point 256 glNormal3d\\(0, 1, 0\\)", "point 256 glColor3d\\(" + q + ", 0, 0\\)",
        "point 256 glVertex3d\\(0, " + q + ", 0\\)",
        "point 65536 glNormal3d\\(0, 0, 1\\)", "point 65536 glColor3d\\(0, 0, " + q + "\\)",
        "point 65536 glVertex3d\\(" + q + ", 0, 0\\)",
        "point 16777215 glNormal3d\\(" + n_ + ", " + n_ + ", " + n_ + "\\)",
        "point 16777215 glColor3d\\(" + top + ", " + top + ", " + top + "\\)",
        "point 16777215 glVertex3d\\(" + top + ", " + top + ", " + top + "\\)",
    };
    ASSERT_GE(lines.size(), at + points.size());
    for (const std::string& pattern : points) {
        std::smatch match;
        EXPECT_TRUE(std::regex_match(lines[at], match, std::regex(pattern))) << lines[at] << " vs " << pattern;
        if (match.size() == 4) {
            for (int c = 1; c <= 3; ++c)
                EXPECT_EQ(number(match[c]), last_normal) << lines[at];
        }
        ++at;
    }
    const std::vector<std::string> list_end = {"in list: glEnd()", "in list: glPopClientAttrib()",
                                               "in list: glPopMatrix()", "points 16777216", "order ok",
                                               "glEndList()"};
    ASSERT_TRUE(matches_at(lines, at, list_end)) << lines[at];
    at += list_end.size();

    // After the list: reshapes and frames only, nothing between them.
    const std::vector<std::string> frame_46 =
        frame_calls("46", "{1.273239, 0.5403023, 0.841471, 1}", "{1.273239, 0.841471, 0.5403023}");
    const std::vector<std::string> frame_47 =
        frame_calls("47", "{0.903221, -0.4161468, 0.9092974, 1}", "{0.903221, 0.9092974, -0.4161468}");
    std::string events;
    while (at < lines.size()) {
        if (matches_at(lines, at, reshape_calls("720", "720"))) {
            events += "reshape 720 ";
            at += 5;
        } else if (matches_at(lines, at, reshape_calls("1000", "500"))) {
            events += "reshape 1000x500 ";
            at += 5;
        } else if (matches_at(lines, at, frame_46)) {
            events += "frame 46 ";
            at += frame_46.size();
        } else if (matches_at(lines, at, frame_47)) {
            events += "frame 47 ";
            at += frame_47.size();
        } else {
            ADD_FAILURE() << "unexpected call " << lines[at];
            ++at;
        }
    }
    // The first showing at angle 1 (rotation 46), the C step's one frame at
    // 47, then the resize's reshape and its frame, still at 47.
    EXPECT_TRUE(std::regex_match(events, std::regex("reshape 720 (frame 46 )+frame 47 reshape 1000x500 (frame 47 )+")))
        << events;
}
