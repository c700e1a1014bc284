// The triangles benchmark: a timed parallel fill of the vertex array, then lit
// rotating triangles drawn from it, one frame per animation step.
#include "fill.h"
#include "triangles.h"

#include "build_texts.h"
#include "gl_state.h"
#include "results_file.h"
#include "text_blocks.h"
#include "thread_setup.h"
#include "vertex_array.h"
#include "wall_clock.h"
#include "window.h"

#include <GL/glut.h>
#include <iostream>

// results is opened before the array is allocated: static initialisation in
// this order, before main.
std::ofstream results = open_results("triangles");
double* vertex_data = allocate_vertex_data();

double init_start = 0.0;
double init_end = 0.0;
double init_time = 0.0;
GLuint list_id = 0;

int main(int argc, char** argv)
{
    set_up_threads();
    const std::string title = banner("Graphics Triangles");
    console_header(title);
    thread_line(std::cout);
    results_header(results, title);
    key_help(animate_key_help);
    init_notice();

    init_start = wall_clock();
    fill_data();
    init_end = wall_clock();
    init_time = init_end - init_start;
    init_report(results, init_time);

    // The window id is not kept: the reports ask GLUT for the current window.
    open_window(&argc, argv, 720, 720, 265, 65, window_title("Triangles"));
    init();

    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutMouseFunc(mouse);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    main_loop_returned(results);
}

void init()
{
    set_gl_state_triangles_cube();
    // The colour, normal and vertex arrays all read vertex_data itself, three
    // doubles per item; nothing is copied.
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glColorPointer(3, GL_DOUBLE, 0, vertex_data);
    glVertexPointer(3, GL_DOUBLE, 0, vertex_data);
    glNormalPointer(GL_DOUBLE, 0, vertex_data);
    list_id = glGenLists(1);
    glNewList(list_id, GL_COMPILE);
    glEndList();
}
