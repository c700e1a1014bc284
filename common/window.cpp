#include "window.h"

#include <GL/glut.h>

int open_window(int* argc, char** argv, int width, int height, int x, int y, const std::string& title)
{
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ACCUM | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(x, y);
    return glutCreateWindow(title.c_str());
}

void clear_frame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glClearStencil(0);
    glClearAccum(0, 0, 0, 0);
}

void mouse_run_state(int button, int state, void (*idle)())
{
    if (state != GLUT_DOWN)
        return;
    if (button == GLUT_LEFT_BUTTON)
        glutIdleFunc(idle);
    else if (button == GLUT_RIGHT_BUTTON)
        glutIdleFunc(nullptr);
}
