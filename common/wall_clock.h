#pragma once
// The only clock of the suite: the OpenMP wall clock, in seconds. Every
// measured interval is the difference of two readings.
#include <omp.h>

inline double wall_clock()
{
    return omp_get_wtime();
}
