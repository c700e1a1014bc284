#include "thread_setup.h"

#include <omp.h>

int max_threads = 0;
int num_threads = 0;

int capped_thread_count(int count)
{
    return count <= thread_cap ? count : thread_cap;
}

void set_up_threads()
{
    max_threads = omp_get_max_threads();
    num_threads = capped_thread_count(max_threads);
    omp_set_num_threads(num_threads);
}
