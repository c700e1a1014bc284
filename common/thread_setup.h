#pragma once
// Thread-count set-up of the graphics programs: the OpenMP maximum thread
// count, capped at thread_cap, becomes the runtime's thread count.

const int thread_cap = 8;

extern int max_threads;   // the first reading of the maximum thread count
extern int num_threads;   // max_threads capped at thread_cap

// count if it is at most thread_cap (a signed comparison), else thread_cap.
int capped_thread_count(int count);

void set_up_threads();
