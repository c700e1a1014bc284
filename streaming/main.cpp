// The streaming benchmark: three parallel start-up workloads compiled into
// display lists, then timed list replays reported as millions of executions
// per second.
#include "streaming.h"

#include "build_texts.h"
#include "results_file.h"
#include "text_blocks.h"
#include "window.h"

#include <GL/freeglut.h>
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

    window_ids[0] = open_window(&argc, argv, 400, 100, 215, 15, window_title("Streaming"));

    init();

    // No reshape and no idle callback: the program starts paused.
    glutDisplayFunc(display);
    glutMouseFunc(mouse);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    main_loop_returned(results);
}
