#pragma once
// What one triangles frame derives from angle.

// light_position = {r, sin a, cos a, 1}, spot_direction = {r, cos a, sin a},
// r = 1 / atan(a); each component computed in double, stored as float. atan
// is called first, then sin and cos, once each.
void light_vectors(double a, float light_position[4], float spot_direction[3]);

// 36000 + a * 36000: the indices the frame at angle a draws.
double index_count_at(double a);

// A frame whose index count exceeds the array's element count ends the run.
bool beyond_limit(double index_count);
