#pragma once
// Program state of the triangles benchmark: globals that live for the whole
// process, shared by main, init and the GLUT callbacks.
#include <GL/gl.h>
#include <fstream>

extern std::ofstream results;

// The workload array: vertex_data_count doubles, filled once at start-up and
// read by GL every frame as colours, normals, vertices and index bytes.
const int vertex_data_count = 12996000;   // 36,000 x 361
extern double* vertex_data;

extern double init_start;
extern double init_end;
extern double init_time;
extern GLuint list_id;

extern double angle;
extern double frame_start;
extern double index_count;
extern double frame_end;
extern double frame_time;
extern double angles_per_sec;
extern double triangles_per_sec;
extern double total_time;
extern double frame_count;

void init();
void display();
void idle();
void mouse(int button, int state, int x, int y);
void reshape(int w, int h);
void keyboard(unsigned char key, int x, int y);
