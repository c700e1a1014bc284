#include "light.h"

#include "float_barriers.h"

#include <cmath>

void light_vectors(double angle, float light_position[4], float spot_direction[3])
{
    // atan first, then the cosine and the sine, each computed once for both
    // vectors. Left to itself, GCC merges cos(angle) and sin(angle) into one
    // sincos call placed where angle is defined, at the top, ahead of atan;
    // the angle taken as computed after q moves it behind. The 32-bit build
    // calls cos and sin one by one (cmake/m32.cmake), in the order written
    // here.
    const double q = 1.0 / std::atan(angle);
    const double after_atan = computed_after(angle, q);
    const double c = std::cos(after_atan);
    const double s = std::sin(after_atan);
    light_position[0] = static_cast<float>(q);
    light_position[1] = static_cast<float>(c);
    light_position[2] = static_cast<float>(s);
    light_position[3] = 1.0f;
    spot_direction[0] = static_cast<float>(q);
    spot_direction[1] = static_cast<float>(s);
    spot_direction[2] = static_cast<float>(c);
}
