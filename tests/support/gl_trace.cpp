#include "gl_trace.h"

std::string glx_tracer()
{
    return sizeof(void*) == 8 ? "/usr/lib/x86_64-linux-gnu/apitrace/wrappers/glxtrace.so"
                              : "/usr/lib/i386-linux-gnu/apitrace/wrappers/glxtrace.so";
}

std::vector<std::string> traced_state_list(bool streaming)
{
    std::vector<std::string> calls = {
        "glShadeModel(GL_SMOOTH)", "glEnable(GL_POINT_SMOOTH)", "glEnable(GL_FOG)", "glEnable(GL_LIGHT0)",
        "glEnable(GL_LIGHTING)", "glHint(GL_POINT_SMOOTH_HINT, GL_NICEST)", "glHint(GL_FOG_HINT, GL_NICEST)",
        "glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST)", "glEnable(GL_BLEND)"};
    if (streaming)
        calls.push_back("glEnable(GL_COLOR_LOGIC_OP)");
    for (const char* call : {"glEnable(GL_ALPHA_TEST)", "glEnable(GL_AUTO_NORMAL)", "glEnable(GL_COLOR_MATERIAL)",
                             "glEnable(GL_DITHER)", "glEnable(GL_SCISSOR_TEST)", "glEnable(GL_STENCIL_TEST)",
                             "glEnable(GL_DEPTH_TEST)"})
        calls.push_back(call);
    if (!streaming)
        calls.push_back("glEnable(GL_NORMALIZE)");
    return calls;
}
