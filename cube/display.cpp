// One measured frame of the cube program: clear, turn, light, replay the
// point list and swap, between two clock readings; then the frame's report
// and the running totals.
#include "cube.h"
#include "cube_report.h"
#include "light.h"
#include "point_values.h"

#include "text_blocks.h"
#include "wall_clock.h"
#include "window.h"

#include <GL/freeglut.h>

#include <iostream>

double angle = 1.0;
double frame_start = 0.0;
double frame_end = 0.0;
double frame_time = 0.0;
double angles_per_sec = 0.0;
double vertices_per_sec = 0.0;
double total_time = 0.0;
double frame_count = 0.0;
double total_vertices = 0.0;

static void write_frame_report(std::ostream& out)
{
    for (const std::string& line :
         frame_report_lines(glutGetWindow(), frame_time, angles_per_sec, vertices_per_sec))
        write_line(out, line);
}

void display()
{
    frame_start = wall_clock();
    clear_frame();

    // No matrix mode is chosen here: after reshape the projection matrix is
    // current, and the model-view matrix stays the identity, so the light is
    // placed in the unturned space and the rotation only moves the points.
    glPushMatrix();
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    float light_position[4];
    float spot_direction[3];
    light_vectors(angle, light_position, spot_direction);
    glScaled(1.0, 1.0, 1.0);
    glRotated(45.0 + angle, 1.0, 1.0, 1.0);
    glTranslated(-0.5, -0.5, -0.5);
    glLightfv(GL_LIGHT0, GL_POSITION, light_position);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, spot_direction);
    // GL_COLOR_LOGIC_OP is never enabled in this program, so this draws
    // nothing differently; it stays part of the measured frame.
    glLogicOp(GL_XOR);
    glCallList(list_id);
    glPopClientAttrib();
    glPopMatrix();
    glutSwapBuffers();
    frame_end = wall_clock();

    frame_time = frame_end - frame_start;
    angles_per_sec = 1.0 / frame_time;
    vertices_per_sec = cube_point_count / frame_time;

    write_frame_report(std::cout);
    write_frame_report(results);
    write_empty_lines(std::cout, 1);
    write_empty_lines(results, 1);

    total_time += frame_time;
    frame_count += 1.0;
    total_vertices = cube_point_count * frame_count;
}
