#include "workloads.h"

void float_streaming()
{
    float_loop<execution_count>();
}

void integer_streaming()
{
    integer_loop<execution_count>();
}

void logic_streaming()
{
    logic_loop<execution_count>();
}
