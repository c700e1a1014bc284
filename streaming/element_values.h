#pragma once
// The values that the three start-up workloads store, one element per
// iteration i. Each value depends on i alone (and on the index the same
// iteration has just computed from i), never on the thread that runs it.
#include "build_texts.h"

#include <cstdint>

// Iterations of every workload, the threshold of the logic workload and the
// numerator of every rate: 2^26 in the x86-64 build, 2^25 in the 32-bit build.
constexpr std::int64_t execution_count = build_is_64 ? 67108864 : 33554432;

// The per-thread index of iteration i: i itself up to 4096, above that
// i mod 4096, so it always lies in 0..4096.
int streaming_index(std::int64_t i);

// r = i mod (index + 1), in 64-bit arithmetic (never negative, as i is not).
std::int64_t streaming_remainder(std::int64_t i, int index);

// (float)i - FLT_MAX in single precision, times (float)(r / 2), the product
// rounded to single precision and widened: -0.0, -FLT_MAX or -infinity.
double float_element_single(std::int64_t i, std::int64_t r);
// The same two factors, the product formed in the x87 extended format and
// rounded once, to double: exactly -FLT_MAX * (r / 2), never infinite.
double float_element_extended(std::int64_t i, std::int64_t r);
// The float workload's element of this build: the single-precision product
// in the x86-64 build, the extended one in the 32-bit (x87) build.
double float_element(std::int64_t i, std::int64_t r);

// (r * 2) * (i - 2147483647) in signed 64-bit arithmetic; below 2^44 in
// magnitude, so it never overflows.
std::int64_t integer_element(std::int64_t i, std::int64_t r);

// i <= execution_count: true for every iteration of the loop.
bool logic_element(std::int64_t i);
