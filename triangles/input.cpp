// Run states, input and the Esc summary of the triangles benchmark. The run
// state is only whether GLUT holds idle as its idle callback.
#include "triangles.h"
#include "triangles_report.h"

#include "text_blocks.h"

#include <GL/glut.h>
#include <iostream>

namespace {

void summary()
{
    const std::array<std::string, 2> lines = summary_lines(total_time, frame_count);
    for (const std::string& line : lines)
        write_line(std::cout, line);
    write_empty_lines(std::cout, 1);
    for (const std::string& line : lines)
        write_line(results, line);
    write_empty_lines(results, 1);
}

} // namespace

void idle()
{
    angle = angle + 1.0;
    glutPostRedisplay();
}

void mouse(int button, int state, int, int)
{
    if (button == GLUT_LEFT_BUTTON && state == GLUT_DOWN)
        glutIdleFunc(idle);
    else if (button == GLUT_RIGHT_BUTTON && state == GLUT_DOWN)
        glutIdleFunc(nullptr);
}

void reshape(int w, int h)
{
    // The projection stays the identity; display draws on the model-view.
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void keyboard(unsigned char key, int, int)
{
    switch (key) {
    case 'R':
    case 'r':
        glutIdleFunc(idle);
        break;
    case 'P':
    case 'p':
        glutIdleFunc(nullptr);
        break;
    case 'C':
    case 'c':
        angle = angle + 1.0;
        glutPostRedisplay();
        break;
    case 27:
        summary();
        exit_prompt();
    default:
        break;
    }
}
