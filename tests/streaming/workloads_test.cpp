// The program's workload loops, instantiated with small counts: every
// iteration allocates its own element and stores the value of the element
// functions, the indexes follow their rule, the elements are the same for
// one thread and for eight, and a refused allocation is skipped.
#include "allocation_recorder.h"
#include "element_values.h"
#include "workloads.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <omp.h>

namespace {

// Not a multiple of 8, so the threads' blocks differ in length; above 8192
// so that the index wraps around twice.
constexpr std::int64_t count = 20011;

struct Workload {
    const char* name;
    void (*loop)();        // count iterations
    void (*loop_4097)();   // 4097 iterations
    void (*loop_4098)();   // 4098 iterations
    int* index;   // the calling thread's copy
    std::size_t size;
};

const Workload workloads[] = {
    {"float", streaming_loop<count, float_iteration>, streaming_loop<4097, float_iteration>,
     streaming_loop<4098, float_iteration>, &float_index, sizeof(double)},
    {"integer", streaming_loop<count, integer_iteration>, streaming_loop<4097, integer_iteration>,
     streaming_loop<4098, integer_iteration>, &integer_index, sizeof(std::int64_t)},
    {"logic", streaming_loop<count, logic_iteration>, streaming_loop<4097, logic_iteration>,
     streaming_loop<4098, logic_iteration>, &logic_index, sizeof(bool)},
};

// The element bytes that iteration i must store.
std::vector<unsigned char> expected_bytes(const Workload& w, std::int64_t i)
{
    const std::int64_t r = streaming_remainder(i, streaming_index(i));
    std::vector<unsigned char> bytes(w.size);
    if (w.loop == streaming_loop<count, float_iteration>) {
        const double value = float_element(i, r);
        std::memcpy(bytes.data(), &value, sizeof value);
    } else if (w.loop == streaming_loop<count, integer_iteration>) {
        const std::int64_t value = integer_element(i, r);
        std::memcpy(bytes.data(), &value, sizeof value);
    } else {
        const bool value = logic_element(i);
        std::memcpy(bytes.data(), &value, sizeof value);
    }
    return bytes;
}

// Runs the loop with the given team size and returns its elements' bytes in
// iteration order.
std::vector<std::vector<unsigned char>> run(const Workload& w, int threads)
{
    omp_set_num_threads(threads);
    start_recording();
    w.loop();
    stop_recording();
    EXPECT_EQ(recording_threads(), threads) << w.name;
    std::vector<std::vector<unsigned char>> elements;
    for (const Allocation& a : recorded_in_thread_order()) {
        EXPECT_EQ(a.size, w.size) << w.name;
        const unsigned char* p = static_cast<const unsigned char*>(a.address);
        elements.emplace_back(p, p + a.size);
    }
    return elements;
}

} // namespace

TEST(Workloads, OneAllocationPerIterationHoldingItsValue)
{
    for (const Workload& w : workloads) {
        for (int threads : {1, 8}) {
            SCOPED_TRACE(std::string(w.name) + ", threads " + std::to_string(threads));
            const auto elements = run(w, threads);
            ASSERT_EQ(elements.size(), static_cast<std::size_t>(count));
            std::int64_t wrong = 0;
            for (std::int64_t i = 0; i < count; ++i)
                if (elements[i] != expected_bytes(w, i) && ++wrong <= 5)
                    ADD_FAILURE() << "element " << i;
            EXPECT_EQ(wrong, 0);
        }
    }
}

TEST(Workloads, OneThreadAndEightGiveTheSameElements)
{
    for (const Workload& w : workloads) {
        const auto one = run(w, 1);
        const auto eight = run(w, 8);
        EXPECT_TRUE(one == eight) << w.name;
    }
}

TEST(Workloads, IndexKeepsTheLastIterationsValue)
{
    // One thread runs every iteration, so its copy ends with the last one's
    // index; the copies of the other threads are their own.
    for (const Workload& w : workloads) {
        omp_set_num_threads(1);
        *w.index = -1;
        w.loop();
        EXPECT_EQ(*w.index, streaming_index(count - 1)) << w.name;
        w.loop_4097();
        EXPECT_EQ(*w.index, 4096) << w.name;
        w.loop_4098();
        EXPECT_EQ(*w.index, 1) << w.name;
    }
}

TEST(Workloads, RefusedAllocationsAreSkipped)
{
    // Every third allocation gives no memory: the loop goes on, every
    // iteration still asks once, and the elements it got hold their values.
    for (const Workload& w : workloads) {
        omp_set_num_threads(8);
        start_recording(3);
        w.loop();
        stop_recording();
        const std::vector<Allocation> all = recorded_in_thread_order();
        ASSERT_EQ(all.size(), static_cast<std::size_t>(count)) << w.name;
        std::int64_t refused = 0;
        for (std::int64_t i = 0; i < count; ++i) {
            if (all[i].address == nullptr) {
                ++refused;
                continue;
            }
            const unsigned char* p = static_cast<const unsigned char*>(all[i].address);
            EXPECT_EQ(std::vector<unsigned char>(p, p + w.size), expected_bytes(w, i)) << w.name << " " << i;
        }
        EXPECT_EQ(refused, count / 3) << w.name;
    }
}
