#pragma once
// The fixed GL state every graphics program sets once, right after its window
// exists: smooth shading, the enables and the NICEST hints. Nothing else is
// ever set, so GL's defaults stand for blending, fog parameters, scissor box,
// stencil, depth function, materials and the light model.

// The triangles and cube programs' list, ending with GL_NORMALIZE.
void set_gl_state_triangles_cube();
// The streaming program's list: GL_COLOR_LOGIC_OP right after GL_BLEND and
// no GL_NORMALIZE.
void set_gl_state_streaming();
