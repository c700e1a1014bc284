#pragma once
// The cube benchmark's program state: plain globals that live for the whole
// process, and the callbacks that share them.
#include <GL/gl.h>

#include <fstream>

extern std::ofstream results;
extern int window_ids[1];

// init.cpp: the point list and the time its compilation took.
extern GLuint list_id;
extern double init_start;
extern double init_end;
extern double init_time;
void init();

// display.cpp: the animation step, the last frame and the running totals.
extern double angle;
extern double frame_start;
extern double frame_end;
extern double frame_time;
extern double angles_per_sec;
extern double vertices_per_sec;
extern double total_time;
extern double frame_count;
extern double total_vertices;
void display();

// input.cpp: run states, keys, buttons and the window's shape.
void idle();
void mouse(int button, int state, int x, int y);
void reshape(int width, int height);
void keyboard(unsigned char key, int x, int y);
void summary();
