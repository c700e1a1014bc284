#include "workloads.h"

#include "element_values.h"

#include <cstdlib>

int float_index = 0;
int integer_index = 0;
int logic_index = 0;

namespace {

// Tells the compiler that the element's address is used, so the allocation
// and the store into it are kept: an allocation whose address is dropped is
// otherwise deleted at -O2, and the workload with it. It costs no
// instruction and writes nothing shared, so the threads do not contend.
inline void keep_element(const void* element)
{
    asm volatile("" : : "r"(element) : "memory");
}

} // namespace

void float_streaming(std::int64_t count)
{
#pragma omp parallel for schedule(static)
    for (std::int64_t i = 0; i < count; ++i) {
        float_index = streaming_index(i);
        double* element = static_cast<double*>(std::malloc(sizeof(double)));
        // An allocation that gives no memory is skipped.
        if (element != nullptr) {
            *element = float_element(i, streaming_remainder(i, float_index));
            keep_element(element);
        }
    }
}

void integer_streaming(std::int64_t count)
{
#pragma omp parallel for schedule(static)
    for (std::int64_t i = 0; i < count; ++i) {
        integer_index = streaming_index(i);
        std::int64_t* element = static_cast<std::int64_t*>(std::malloc(sizeof(std::int64_t)));
        if (element != nullptr) {
            *element = integer_element(i, streaming_remainder(i, integer_index));
            keep_element(element);
        }
    }
}

void logic_streaming(std::int64_t count)
{
#pragma omp parallel for schedule(static)
    for (std::int64_t i = 0; i < count; ++i) {
        logic_index = streaming_index(i);
        bool* element = static_cast<bool*>(std::malloc(sizeof(bool)));
        if (element != nullptr) {
            *element = logic_element(i);
            keep_element(element);
        }
    }
}
