// The run states: paused (no idle callback, the state at start) and running
// (idle installed, a redisplay posted at every idle call).
#include "streaming.h"

#include "text_blocks.h"
#include "window.h"

#include <GL/freeglut.h>
#include <omp.h>

void idle()
{
    glutPostWindowRedisplay(window_ids[omp_get_thread_num()]);
}

void mouse(int button, int state, int, int)
{
    mouse_run_state(button, state, idle);
}

void keyboard(unsigned char key, int, int)
{
    switch (key) {
    case 'R':
    case 'r':
        glutIdleFunc(idle);
        glutPostWindowRedisplay(glutGetWindow());
        break;
    case 'C':
    case 'c':
        glutPostWindowRedisplay(glutGetWindow());
        break;
    case 'P':
    case 'p':
        glutIdleFunc(nullptr);
        break;
    case 27:
        exit_prompt();
        break;
    default:
        break;
    }
}
