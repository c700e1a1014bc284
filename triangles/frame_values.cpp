#include "frame_values.h"

#include "triangles.h"

#include <cmath>

void light_vectors(double a, float light_position[4], float spot_direction[3])
{
    const double r = 1.0 / std::atan(a);
    light_position[0] = static_cast<float>(r);
    light_position[1] = static_cast<float>(std::sin(a));
    light_position[2] = static_cast<float>(std::cos(a));
    light_position[3] = 1.0f;
    spot_direction[0] = static_cast<float>(r);
    spot_direction[1] = static_cast<float>(std::cos(a));
    spot_direction[2] = static_cast<float>(std::sin(a));
}

double index_count_at(double a)
{
    return 36000.0 + a * 36000.0;
}

bool beyond_limit(double index_count)
{
    return index_count > 12996000.0;
}
