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

#include <GL/glut.h>
#include <cstdlib>
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

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ACCUM | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(720, 720);
    glutInitWindowPosition(265, 65);
    glutCreateWindow(window_title("Triangles").c_str());
    init();

    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutMouseFunc(mouse);
    glutKeyboardFunc(keyboard);
    glutMainLoop();

    write_empty_lines(std::cout, 1);
    write_empty_lines(results, 1);
    results.close();
    std::cin.get();
    std::exit(0);
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
