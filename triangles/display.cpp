// One measured triangles frame and its report.
#include "frame_values.h"
#include "triangles.h"
#include "triangles_report.h"

#include "text_blocks.h"
#include "wall_clock.h"
#include "window.h"

#include <GL/glut.h>
#include <cstdlib>
#include <iostream>

double angle = 1.0;
double frame_start = 0.0;
double index_count = 0.0;
double frame_end = 0.0;
double frame_time = 0.0;
double angles_per_sec = 0.0;
double triangles_per_sec = 0.0;
double total_time = 0.0;
double frame_count = 0.0;

namespace {

void frame_report(std::ostream& out)
{
    for (const std::string& line :
         frame_report_lines(glutGetWindow(), index_count, frame_time, angles_per_sec, triangles_per_sec))
        write_line(out, line);
}

} // namespace

void display()
{
    frame_start = wall_clock();
    clear_frame();
    glPushMatrix();

    float light_position[4];
    float spot_direction[3];
    light_vectors(angle, light_position, spot_direction);
    glScaled(0.5, 0.5, 0.5);
    glRotated(45.0 + angle, 1.0, 1.0, 1.0);
    glTranslated(-0.5, -0.5, -0.5);
    glLightfv(GL_LIGHT0, GL_POSITION, light_position);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, spot_direction);

    index_count = index_count_at(angle);
    if (beyond_limit(index_count)) {
        write_line(std::cout, limit_message);
        std::exit(0);
    }
    glDrawBuffer(GL_BACK);
    // The index list is the array's own storage, taken byte by byte.
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(index_count), GL_UNSIGNED_BYTE, vertex_data);
    glCallList(list_id);
    glPopMatrix();
    glutSwapBuffers();
    frame_end = wall_clock();

    frame_time = frame_end - frame_start;
    angles_per_sec = 1.0 / frame_time;
    triangles_per_sec = (index_count / 6.0) / frame_time;

    frame_report(std::cout);
    frame_report(results);
    write_empty_lines(std::cout, 1);
    write_empty_lines(results, 1);

    total_time += frame_time;
    frame_count += 1.0;
}
