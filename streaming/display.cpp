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

// The interval holds the matrix push, the list call, the pop and the swap;
// the rate and the report come after it.
static void timed_replay(GLuint id, double& start, double& end, double& time, double& rate, const char* heading,
                         const char* spent_label)
{
    start = wall_clock();
    glPushMatrix();
    glCallList(id);
    glPopMatrix();
    glutSwapBuffers();
    end = wall_clock();
    time = end - start;
    rate = executions_per_sec(static_cast<double>(execution_count), time);
    stream_report(std::cout, results, glutGetWindow, heading, spent_label, time, rate);
}

void display()
{
    clear_frame();
    timed_replay(float_list_id, float_start, float_end, float_time, float_executions_per_sec, float_heading,
                 system_spent_label);
    timed_replay(integer_list_id, integer_start, integer_end, integer_time, integer_executions_per_sec,
                 integer_heading, system_spent_label);
    timed_replay(logic_list_id, logic_start, logic_end, logic_time, logic_executions_per_sec, logic_heading,
                 logic_spent_label);
    stream_report_end(std::cout, results);
}
