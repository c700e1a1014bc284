#pragma once
// The three start-up workloads: OpenMP parallel loops over i = 0 .. count - 1
// with the static schedule, each iteration updating its thread's own index,
// allocating one element on the heap and storing its value. The elements are
// never read or freed. The program runs each loop once, with execution_count
// iterations, while its display list is being compiled.
//
// The loops are templates over their iteration count, so that the program's
// loops have their bound as a constant and take no argument, while the unit
// tests run the very same loop bodies with small counts.
#include "element_values.h"

#include <cstdint>
#include <cstdlib>

// Per-thread indexes of the three loops, 0 in every thread at start.
// Defined here rather than in one source file: a thread-local variable
// whose definition the compiler cannot see is reached through a call that
// checks for a dynamic initialiser, and the loops that the unit tests
// instantiate would then not be the code of the program's loops.
inline int float_index = 0;
inline int integer_index = 0;
inline int logic_index = 0;
#pragma omp threadprivate(float_index, integer_index, logic_index)

// Tells the compiler that the element's address is used, so the allocation
// and the store into it are kept: an allocation whose address is dropped is
// otherwise deleted at -O2, and the workload with it. It costs no
// instruction and writes nothing shared, so the threads do not contend.
inline void keep_element(const void* element)
{
    asm volatile("" : : "r"(element) : "memory");
}

// One iteration of each loop: the index update, one element, its value.
// An allocation that gives no memory is skipped.

inline void float_iteration(std::int64_t i)
{
    float_index = streaming_index(i);
    double* element = static_cast<double*>(std::malloc(sizeof(double)));
    if (element != nullptr) {
        *element = float_element(i, streaming_remainder(i, float_index));
        keep_element(element);
    }
}

inline void integer_iteration(std::int64_t i)
{
    integer_index = streaming_index(i);
    std::int64_t* element = static_cast<std::int64_t*>(std::malloc(sizeof(std::int64_t)));
    if (element != nullptr) {
        *element = integer_element(i, streaming_remainder(i, integer_index));
        keep_element(element);
    }
}

inline void logic_iteration(std::int64_t i)
{
    logic_index = streaming_index(i);
    bool* element = static_cast<bool*>(std::malloc(sizeof(bool)));
    if (element != nullptr) {
        *element = logic_element(i);
        keep_element(element);
    }
}

// The loop over i = 0 .. count - 1, running one of the iterations above:
// both are constants of the instantiation, so the program's loops have their
// bound as an immediate and call their iteration directly.
template <std::int64_t count, void (*iteration)(std::int64_t)>
inline void streaming_loop()
{
#pragma omp parallel for schedule(static)
    for (std::int64_t i = 0; i < count; ++i)
        iteration(i);
}

// The program's workloads: the loops above with execution_count iterations.
// double elements: float_element(i, r).
void float_streaming();
// signed 64-bit elements: integer_element(i, r).
void integer_streaming();
// bool elements: logic_element(i).
void logic_streaming();
