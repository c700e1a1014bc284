#pragma once
// Allocation of the triangles benchmark's vertex array.

// One heap block of vertex_data_count doubles, not cleared. The program
// cannot run without it: if it cannot be had, a message goes to standard
// error and the process ends with status 1.
double* allocate_vertex_data();
