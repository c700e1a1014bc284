// Run states, input and the Esc summary of the triangles benchmark. The run
// state is only whether GLUT holds idle as its idle callback.
#include "triangles.h"
#include "triangles_report.h"

#include "text_blocks.h"
#include "window.h"

#include <GL/glut.h>

void idle()
{
    angle = angle + 1.0;
    glutPostRedisplay();
}

void mouse(int button, int state, int, int)
{
    mouse_run_state(button, state, idle);
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
        summary_block(results, summary_lines(total_time, frame_count));
        exit_prompt();
        break;
    default:
        break;
    }
}
