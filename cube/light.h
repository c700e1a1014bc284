#pragma once
// Light 0 of a cube frame, placed from the animation step a (in radians
// here): position {1/atan(a), cos a, sin a, 1} and spot direction
// {1/atan(a), sin a, cos a}, computed in double and stored as floats. The
// fourth component 1 makes the light positional. atan is called first, then
// cos and sin, once each.

void light_vectors(double angle, float light_position[4], float spot_direction[3]);
