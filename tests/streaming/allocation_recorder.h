#pragma once
// The test binary of the workloads is linked with --wrap=malloc: every
// malloc call in the loops then goes through a recorder, which keeps each
// thread's allocations in the order they were made, and can be told to
// refuse some of them as a full heap would.
#include <cstddef>
#include <vector>

struct Allocation {
    void* address;   // null when refused
    std::size_t size;
};

// Recording is on only between start and stop, while the loop runs.
void start_recording(int refuse_every = 0);
void stop_recording();
// The allocations of the loop in iteration order: with the static schedule
// each thread takes one contiguous block of iterations, in the order of the
// thread numbers.
std::vector<Allocation> recorded_in_thread_order();
// How many threads made at least one allocation.
int recording_threads();
