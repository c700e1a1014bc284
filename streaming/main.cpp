// The streaming benchmark: three parallel start-up workloads compiled into
// display lists, then timed list replays reported as millions of executions
// per second.
#include "streaming.h"

#include "build_texts.h"
#include "results_file.h"
#include "text_blocks.h"

#include <GL/freeglut.h>
#include <cstdlib>
#include <iostream>

// Opened before main runs, so the file exists, emptied, from the start.
std::ofstream results = open_results("streaming");
int window_ids[thread_cap] = {};

int main(int argc, char** argv)
{
    set_up_threads();

    const std::string title = banner("Graphics Streaming");
    console_header(title);
    thread_line(std::cout);
    results_header(results, title);
    key_help(run_key_help);
    init_notice();

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ACCUM | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(400, 100);
    glutInitWindowPosition(215, 15);
    window_ids[0] = glutCreateWindow(window_title("Streaming").c_str());

    init();

    // No reshape and no idle callback: the program starts paused.
    glutDisplayFunc(display);
    glutMouseFunc(mouse);
    glutKeyboardFunc(keyboard);
    glutMainLoop();

    write_empty_lines(std::cout, 1);
    write_empty_lines(results, 1);
    results.close();
    std::cin.get();
    std::exit(0);
}
