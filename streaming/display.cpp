// One display call: the buffers cleared once, then for each list its replay
// and a swap timed, and a report block written outside the interval.
#include "streaming.h"

#include "element_values.h"
#include "stream_report.h"
#include "wall_clock.h"

#include <GL/freeglut.h>
#include <iostream>

double float_start = 0.0, integer_start = 0.0, logic_start = 0.0;
double float_end = 0.0, integer_end = 0.0, logic_end = 0.0;
double float_time = 0.0, integer_time = 0.0, logic_time = 0.0;
double float_executions_per_sec = 0.0, integer_executions_per_sec = 0.0, logic_executions_per_sec = 0.0;

// The interval holds the matrix push, the list call, the pop and the swap.
static void replay(GLuint id)
{
    glPushMatrix();
    glCallList(id);
    glPopMatrix();
    glutSwapBuffers();
}

void display()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ACCUM_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    // Set after the clear: each clear uses the values of the call before,
    // which are GL's initial ones anyway.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glClearStencil(0);
    glClearAccum(0.0f, 0.0f, 0.0f, 0.0f);

    const double executions = static_cast<double>(execution_count);

    float_start = wall_clock();
    replay(float_list_id);
    float_end = wall_clock();
    float_time = float_end - float_start;
    float_executions_per_sec = executions_per_sec(executions, float_time);
    stream_report(std::cout, results, glutGetWindow, float_heading, system_spent_label, float_time,
                  float_executions_per_sec);

    integer_start = wall_clock();
    replay(integer_list_id);
    integer_end = wall_clock();
    integer_time = integer_end - integer_start;
    integer_executions_per_sec = executions_per_sec(executions, integer_time);
    stream_report(std::cout, results, glutGetWindow, integer_heading, system_spent_label, integer_time,
                  integer_executions_per_sec);

    logic_start = wall_clock();
    replay(logic_list_id);
    logic_end = wall_clock();
    logic_time = logic_end - logic_start;
    logic_executions_per_sec = executions_per_sec(executions, logic_time);
    stream_report(std::cout, results, glutGetWindow, logic_heading, logic_spent_label, logic_time,
                  logic_executions_per_sec);

    stream_report_end(std::cout, results);
}
