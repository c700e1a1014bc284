#include "point_values.h"

#include <cmath>

void point_values(int i, int j, int k, double normal[3], double colour[3], double vertex[3])
{
    // Multiples of 1/256 and 1/65536: every step but the root and the
    // reciprocal is exact.
    const double x = i * 0.00390625;
    const double y = j * 0.00390625;
    const double z = k * 0.00390625;
    const double r = 1.0 / std::sqrt((k * k + j * j + i * i) * 0.0000152587890625);

    normal[0] = z * r;
    normal[1] = y * r;
    normal[2] = x * r;
    colour[0] = y;
    colour[1] = z;
    colour[2] = x;
    vertex[0] = x;
    vertex[1] = y;
    vertex[2] = z;
}
