#include "frame_values.h"

#include "triangles.h"

#include "float_barriers.h"

#include <cmath>

void light_vectors(double a, float light_position[4], float spot_direction[3])
{
    // atan first, then the sine and the cosine, each computed once for both
    // vectors. Left to itself, GCC merges sin(a) and cos(a) into one sincos
    // call placed where a is defined, at the top, ahead of atan; the angle
    // taken as computed after r moves it behind. The 32-bit build calls sin
    // and cos one by one (cmake/m32.cmake), in the order written here.
    const double r = 1.0 / std::atan(a);
    const double after_atan = computed_after(a, r);
    const double s = std::sin(after_atan);
    const double c = std::cos(after_atan);
    light_position[0] = static_cast<float>(r);
    light_position[1] = static_cast<float>(s);
    light_position[2] = static_cast<float>(c);
    light_position[3] = 1.0f;
    spot_direction[0] = static_cast<float>(r);
    spot_direction[1] = static_cast<float>(c);
    spot_direction[2] = static_cast<float>(s);
}

double index_count_at(double a)
{
    return 36000.0 + a * 36000.0;
}

bool beyond_limit(double index_count)
{
    return index_count > 12996000.0;
}
