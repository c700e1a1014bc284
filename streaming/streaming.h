#pragma once
// The streaming program's state and callbacks. The three workloads run once,
// at start-up, each inside the compilation of its own display list; every
// display call then times the replay of the three lists and reports
// execution_count over each interval.
#include "thread_setup.h"

#include <GL/gl.h>
#include <fstream>

extern std::ofstream results;

// Element 0 holds the program's one window; idle indexes the array by the
// calling thread's OpenMP number, which is 0 on the main thread.
extern int window_ids[thread_cap];

extern GLuint float_list_id;
extern GLuint integer_list_id;
extern GLuint logic_list_id;
extern double init_start;
extern double init_end;
extern double init_time;

extern double float_start, integer_start, logic_start;
extern double float_end, integer_end, logic_end;
extern double float_time, integer_time, logic_time;
extern double float_executions_per_sec, integer_executions_per_sec, logic_executions_per_sec;

void init();
void display();
void idle();
void mouse(int button, int state, int x, int y);
void keyboard(unsigned char key, int x, int y);
