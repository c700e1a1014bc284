#pragma once
// The only clock of the suite: the OpenMP wall clock, in seconds. Every
// measured interval is the difference of two readings.
#include "float_barriers.h"

#include <omp.h>

inline double wall_clock()
{
    // Each reading is rounded to double where it is taken. In the 32-bit
    // build it comes back in an x87 register, wider than a double, and two
    // readings could otherwise be subtracted before either is rounded, so an
    // interval would depend on where the compiler happened to store them.
    return rounded_to_type(omp_get_wtime());
}
