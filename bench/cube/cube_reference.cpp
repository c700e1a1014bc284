// The cube benchmark's work with nothing around it: the same window, GL
// state and 16,777,216-point list, and the same frame, replayed a fixed
// number of times without input, reports or totals. It prints only the raw
// times ("compile <s>", then "frame <s>" per frame), so the benchmark script
// can set the real program's reported figures against them.
#include "gl_state.h"
#include "light.h"
#include "point_values.h"
#include "wall_clock.h"
#include "window.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

GLuint reference_list = 0;
double reference_angle = 1.0;
int frames_left = 8;

void reference_display()
{
    const double start = wall_clock();
    clear_frame();
    glPushMatrix();
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    float position[4], direction[3];
    light_vectors(reference_angle, position, direction);
    glScaled(1.0, 1.0, 1.0);
    glRotated(45.0 + reference_angle, 1.0, 1.0, 1.0);
    glTranslated(-0.5, -0.5, -0.5);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction);
    glLogicOp(GL_XOR);
    glCallList(reference_list);
    glPopClientAttrib();
    glPopMatrix();
    glutSwapBuffers();
    const double end = wall_clock();
    std::printf("frame %.9g\n", end - start);
    std::fflush(stdout);
    if (--frames_left <= 0)
        std::exit(0);
}

void reference_idle()
{
    reference_angle += 1.0;
    glutPostRedisplay();
}

void reference_reshape(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

int main(int argc, char** argv)
{
    open_window(&argc, argv, 720, 720, 265, 65, "cube reference");
    if (argc > 1)
        frames_left = std::atoi(argv[1]);
    set_gl_state_triangles_cube();

    const double start = wall_clock();
    reference_list = glGenLists(1);
    glNewList(reference_list, GL_COMPILE);
    glPushMatrix();
    glBegin(GL_POINTS);
    double normal[3], colour[3], vertex[3];
    for (int i = 0; i < cube_side; ++i)
        for (int j = 0; j < cube_side; ++j)
            for (int k = 0; k < cube_side; ++k) {
                point_values(i, j, k, normal, colour, vertex);
                glNormal3d(normal[0], normal[1], normal[2]);
                glColor3d(colour[0], colour[1], colour[2]);
                glVertex3d(vertex[0], vertex[1], vertex[2]);
            }
    glEnd();
    glPopMatrix();
    glEndList();
    std::printf("compile %.9g\n", wall_clock() - start);
    std::fflush(stdout);

    glutDisplayFunc(reference_display);
    glutReshapeFunc(reference_reshape);
    glutIdleFunc(reference_idle);
    glutMainLoop();
    return 0;
}
