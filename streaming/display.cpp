// One display call: the buffers cleared once, then for each list its replay
// and a swap timed, and a report block written outside the interval.
#include "streaming.h"

#include "element_values.h"
#include "stream_report.h"
#include "wall_clock.h"
#include "window.h"

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
    clear_frame();

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
