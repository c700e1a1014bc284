#pragma once
// The triangles benchmark's start-up workload.

// Element i of vertex_data: (sin(x) + cos(x)) * tan(x) with x = i radians.
double fill_value(int i);

// Fills every element of vertex_data in one OpenMP parallel loop with a
// static schedule, on the runtime's current thread count.
void fill_data();
