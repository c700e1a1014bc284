#pragma once
// The three start-up workloads: OpenMP parallel loops over i = 0 .. count - 1
// with the static schedule, each iteration updating its thread's own index,
// allocating one element on the heap and storing its value. The elements are
// never read or freed. The program runs each loop once, with execution_count
// iterations, while its display list is being compiled.
#include <cstdint>

// Per-thread indexes of the three loops, 0 in every thread at start.
extern int float_index;
extern int integer_index;
extern int logic_index;
#pragma omp threadprivate(float_index, integer_index, logic_index)

// double elements: float_element(i, r).
void float_streaming(std::int64_t count);
// signed 64-bit elements: integer_element(i, r).
void integer_streaming(std::int64_t count);
// bool elements: logic_element(i).
void logic_streaming(std::int64_t count);
