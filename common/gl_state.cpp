#include "gl_state.h"

#include <GL/gl.h>

namespace {

// The calls both lists share, up to and including GL_BLEND.
void set_gl_state_head()
{
    glShadeModel(GL_SMOOTH);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_FOG);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glHint(GL_FOG_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_BLEND);
}

// The calls both lists share after GL_BLEND (and GL_COLOR_LOGIC_OP).
void set_gl_state_tail()
{
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_AUTO_NORMAL);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DITHER);
    glEnable(GL_SCISSOR_TEST);
    glEnable(GL_STENCIL_TEST);
    glEnable(GL_DEPTH_TEST);
}

} // namespace

void set_gl_state_triangles_cube()
{
    set_gl_state_head();
    set_gl_state_tail();
    glEnable(GL_NORMALIZE);
}

void set_gl_state_streaming()
{
    set_gl_state_head();
    glEnable(GL_COLOR_LOGIC_OP);
    set_gl_state_tail();
}
