#pragma once
// What the three graphics programs do alike with GLUT and GL: open their one
// window, clear a frame, switch the run state by mouse button.
#include <string>

// glutInit with the program's arguments, a double-buffered RGBA mode with
// accumulation, depth and stencil buffers, the size and position (set after
// glutInit, so they replace any geometry given on the command line), then
// the window itself; returns its id.
int open_window(int* argc, char** argv, int width, int height, int x, int y, const std::string& title);

// Clears colour, depth, stencil and accumulation buffers, and only then sets
// the clear values (black, depth 1, stencil 0): GL's initial ones, so every
// clear, the first included, uses them.
void clear_frame();

// The mouse's part in the run states: a left press installs idle (running),
// a right press removes it (paused); releases and other buttons do nothing.
void mouse_run_state(int button, int state, void (*idle)());
