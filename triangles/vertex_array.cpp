#include "vertex_array.h"

#include "triangles.h"

#include <cstdio>
#include <cstdlib>
#include <new>

double* allocate_vertex_data()
{
    double* data = new (std::nothrow) double[vertex_data_count];
    if (!data) {
        std::fprintf(stderr, "triangles: cannot allocate the vertex array (%lu bytes)\n",
                     static_cast<unsigned long>(sizeof(double)) * vertex_data_count);
        std::exit(1);
    }
    return data;
}
