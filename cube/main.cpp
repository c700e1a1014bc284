// The cube benchmark: one display list of 16,777,216 lit, coloured points,
// compiled once and timed, then replayed in a rotating frame that reports
// its time, angles and vertices per second.
#include "cube.h"

#include "build_texts.h"
#include "results_file.h"
#include "text_blocks.h"
#include "thread_setup.h"
#include "window.h"

#include <GL/freeglut.h>

#include <iostream>
#include <omp.h>

// Opened before main runs; every report line goes here after the console.
std::ofstream results = open_results("cube");
int window_ids[1] = {0};

int main(int argc, char** argv)
{
    set_up_threads();
    // The program runs no parallel region, so nothing it prints or draws
    // depends on this: it only keeps any nested team from ever growing past
    // one active level.
    omp_set_max_active_levels(1);

    const std::string title = banner("Graphics Cube");
    console_header(title);
    thread_line(std::cout);
    results_header(results, title);
    key_help(animate_key_help);
    init_notice();

    window_ids[0] = open_window(&argc, argv, 720, 720, 265, 65, window_title("Cube"));

    init();

    // No idle callback: the run starts paused.
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutMouseFunc(mouse);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    main_loop_returned(results);
}
