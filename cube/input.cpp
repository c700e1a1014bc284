// The run states and their callbacks: paused (no idle callback, the state
// at start) and running (idle installed); the window's shape; the Esc end.
#include "cube.h"
#include "cube_report.h"

#include "text_blocks.h"
#include "window.h"

#include <GL/freeglut.h>

void idle()
{
    angle = 1.0 + angle;
    glutPostWindowRedisplay(window_ids[0]);
}

void mouse(int button, int state, int, int)
{
    mouse_run_state(button, state, idle);
}

void reshape(int width, int height)
{
    // Projection last: display sets no matrix mode and turns the projection
    // matrix. No projection is set up; the unit clip volume fills the viewport.
    glViewport(0, 0, width, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

void summary()
{
    summary_block(results, summary_lines(total_time, frame_count, total_vertices));
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
        angle = 1.0 + angle;
        glutPostWindowRedisplay(glutGetWindow());
        break;
    case 27:
        summary();
        exit_prompt();
        break;
    default:
        break;
    }
}
