/* Preloaded into a benchmark by the tests: records every thread count the
 * program sets through the OpenMP runtime, then passes the call on to the
 * real runtime. The record goes to the file named by OMP_PROBE_LOG. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>

static void record(const char* entry, int value)
{
    const char* path = getenv("OMP_PROBE_LOG");
    if (!path)
        return;
    FILE* log = fopen(path, "a");
    if (!log)
        return;
    fprintf(log, "%s %d\n", entry, value);
    fclose(log);
}

void omp_set_num_threads(int count)
{
    record("omp_set_num_threads", count);
    void (*real)(int) = (void (*)(int))dlsym(RTLD_NEXT, "omp_set_num_threads");
    if (real)
        real(count);
}
