#include "fill.h"

#include "triangles.h"

#include <cmath>

double fill_value(int i)
{
    const double x = static_cast<double>(i);
    return (std::sin(x) + std::cos(x)) * std::tan(x);
}

void fill_data()
{
    // Each iteration writes its own element and depends on its index alone,
    // so the array is the same for every team size.
#pragma omp parallel for schedule(static)
    for (int i = 0; i < vertex_data_count; ++i)
        vertex_data[i] = fill_value(i);
}
