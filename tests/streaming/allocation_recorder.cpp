#include "allocation_recorder.h"

#include <atomic>
#include <cstdlib>
#include <omp.h>

extern "C" void* __real_malloc(std::size_t size);

namespace {

const int max_recorded_threads = 64;
std::vector<Allocation> per_thread[max_recorded_threads];
std::atomic<bool> recording{false};
std::atomic<long> calls{0};
int refuse = 0;

} // namespace

extern "C" void* __wrap_malloc(std::size_t size)
{
    if (!recording.load(std::memory_order_relaxed))
        return __real_malloc(size);
    const long call = calls.fetch_add(1, std::memory_order_relaxed) + 1;
    void* address = refuse != 0 && call % refuse == 0 ? nullptr : __real_malloc(size);
    // Each thread appends to its own list only; the lists' storage comes
    // from operator new, which does not come back here.
    per_thread[omp_get_thread_num()].push_back({address, size});
    return address;
}

void start_recording(int refuse_every)
{
    for (auto& list : per_thread)
        list.clear();
    calls = 0;
    refuse = refuse_every;
    recording = true;
}

void stop_recording()
{
    recording = false;
}

std::vector<Allocation> recorded_in_thread_order()
{
    std::vector<Allocation> all;
    for (const auto& list : per_thread)
        all.insert(all.end(), list.begin(), list.end());
    return all;
}

int recording_threads()
{
    int threads = 0;
    for (const auto& list : per_thread)
        threads += list.empty() ? 0 : 1;
    return threads;
}
