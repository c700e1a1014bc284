// Set-up: the GL state, then the three display lists, each compiled around
// its workload's parallel loop, and the time all of it took.
#include "streaming.h"

#include "gl_state.h"
#include "text_blocks.h"
#include "wall_clock.h"
#include "workloads.h"

#include <GL/freeglut.h>

GLuint float_list_id = 0;
GLuint integer_list_id = 0;
GLuint logic_list_id = 0;
double init_start = 0.0;
double init_end = 0.0;
double init_time = 0.0;

// Opens list id for compiling, runs the workload inside, closes the list.
// The client-attribute push and pop execute at once and are not compiled,
// so the list holds a matrix push and pop only.
static void compile_around(GLuint id, void (*workload)())
{
    glNewList(id, GL_COMPILE);
    glPushMatrix();
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    workload();
    glPopClientAttrib();
    glPopMatrix();
    glEndList();
}

void init()
{
    set_gl_state_streaming();

    init_start = wall_clock();
    // 1, 2 and 3 names are reserved; only the first of each is used.
    float_list_id = glGenLists(1);
    compile_around(float_list_id, float_streaming);
    integer_list_id = glGenLists(2);
    compile_around(integer_list_id, integer_streaming);
    logic_list_id = glGenLists(3);
    compile_around(logic_list_id, logic_streaming);
    init_end = wall_clock();
    init_time = init_end - init_start;

    // The file's line ends with one more blank than the console's.
    window_init_report(results, glutGetWindow, init_time, " ");
}
