// One-time set-up of the cube program: the GL state, then the timed
// compilation of the point list, then its report.
#include "cube.h"
#include "point_values.h"

#include "gl_state.h"
#include "text_blocks.h"
#include "wall_clock.h"

#include <GL/freeglut.h>

GLuint list_id = 0;
double init_start = 0.0;
double init_end = 0.0;
double init_time = 0.0;

void init()
{
    set_gl_state_triangles_cube();

    // Only the list's allocation and compilation lie between the readings.
    init_start = wall_clock();
    list_id = glGenLists(1);
    glNewList(list_id, GL_COMPILE);
    glPushMatrix();
    // Client state is not recorded in a list: this pair brackets the
    // compilation and leaves nothing in it.
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glBegin(GL_POINTS);
    double normal[3];
    double colour[3];
    double vertex[3];
    for (int i = 0; i < cube_side; ++i)
        for (int j = 0; j < cube_side; ++j)
            for (int k = 0; k < cube_side; ++k) {
                point_values(i, j, k, normal, colour, vertex);
                glNormal3d(normal[0], normal[1], normal[2]);
                glColor3d(colour[0], colour[1], colour[2]);
                glVertex3d(vertex[0], vertex[1], vertex[2]);
            }
    glEnd();
    glPopClientAttrib();
    glPopMatrix();
    glEndList();
    init_end = wall_clock();
    init_time = init_end - init_start;

    window_init_report(results, glutGetWindow, init_time, "");
}
