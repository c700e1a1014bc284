#include "light.h"

#include <cmath>

void light_vectors(double angle, float light_position[4], float spot_direction[3])
{
    const double q = 1.0 / std::atan(angle);
    light_position[0] = static_cast<float>(q);
    light_position[1] = static_cast<float>(std::cos(angle));
    light_position[2] = static_cast<float>(std::sin(angle));
    light_position[3] = 1.0f;
    spot_direction[0] = static_cast<float>(q);
    spot_direction[1] = static_cast<float>(std::sin(angle));
    spot_direction[2] = static_cast<float>(std::cos(angle));
}
