#pragma once
// What the GL-call tests share: the tracer library and the GL state list as
// `apitrace dump --call-nos=no --arg-names=no` writes it.
#include <string>
#include <vector>

// apitrace's GLX wrapper for this tree's word size, to preload.
std::string glx_tracer();

// The 17 state calls: the triangles and cube list (ending with
// GL_NORMALIZE), or the streaming one (GL_COLOR_LOGIC_OP after GL_BLEND).
std::vector<std::string> traced_state_list(bool streaming);
