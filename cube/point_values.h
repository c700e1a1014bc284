#pragma once
// The values recorded for one point of the 256 x 256 x 256 lattice that
// fills the unit cube: the point (i, j, k) / 256 with the colour (j, k, i) / 256
// and the normal (k, j, i) / sqrt(i^2 + j^2 + k^2). At the origin the length
// is 0, and the normal is 0 x infinity, a NaN in each component, as it comes.

// Number of points in the list: 2^24.
const int cube_side = 256;
const double cube_point_count = 16777216.0;

// The three argument triples of glNormal3d, glColor3d and glVertex3d, in
// call order, for the lattice indices i, j and k (each 0 to 255).
void point_values(int i, int j, int k, double normal[3], double colour[3], double vertex[3]);
