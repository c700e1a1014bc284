#include "workloads.h"

void float_streaming()
{
    streaming_loop<execution_count, float_iteration>();
}

void integer_streaming()
{
    streaming_loop<execution_count, integer_iteration>();
}

void logic_streaming()
{
    streaming_loop<execution_count, logic_iteration>();
}
