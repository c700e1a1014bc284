/* Preloaded into the streaming program to count its allocations from
 * outside: the calls to malloc of 1 and of 8 bytes (the workloads' element
 * sizes), and of those the ones that gave no memory. The counts go to the
 * file named by MALLOC_COUNT_LOG when the process exits. With
 * MALLOC_REFUSE_FROM=N and MALLOC_REFUSE_COUNT=M the calls N to N + M - 1 of
 * each thread give no memory, as a heap that has run out would; the calls
 * after them get memory again, so the libraries keep working afterwards. Each thread counts
 * into its own cache line, so the counting does not slow the loops down. */
#define _GNU_SOURCE
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>

extern void* __libc_malloc(size_t size);

enum { slots = 256 };

struct counts {
    unsigned long long one_byte;
    unsigned long long eight_bytes;
    unsigned long long refused;
    char padding[64 - 3 * sizeof(unsigned long long)];
};

static struct counts per_thread[slots] __attribute__((aligned(64)));
static atomic_int next_slot;
static unsigned long long refuse_from = ~0ull;
static unsigned long long refuse_count = 0;
static __thread int slot __attribute__((tls_model("initial-exec"))) = -1;

__attribute__((constructor)) static void read_settings(void)
{
    const char* from = getenv("MALLOC_REFUSE_FROM");
    if (from != NULL)
        refuse_from = strtoull(from, NULL, 10);
    const char* count = getenv("MALLOC_REFUSE_COUNT");
    if (count != NULL)
        refuse_count = strtoull(count, NULL, 10);
}

void* malloc(size_t size)
{
    if (size != 1 && size != 8)
        return __libc_malloc(size);
    if (slot < 0)
        slot = atomic_fetch_add(&next_slot, 1) % slots;
    struct counts* mine = &per_thread[slot];
    const unsigned long long call = mine->one_byte + mine->eight_bytes;
    void* address = call >= refuse_from && call - refuse_from < refuse_count ? NULL : __libc_malloc(size);
    if (size == 1)
        ++mine->one_byte;
    else
        ++mine->eight_bytes;
    if (address == NULL)
        ++mine->refused;
    return address;
}

__attribute__((destructor)) static void write_counts(void)
{
    const char* name = getenv("MALLOC_COUNT_LOG");
    if (name == NULL)
        return;
    unsigned long long one = 0, eight = 0, refused = 0;
    for (int n = 0; n < slots; ++n) {
        one += per_thread[n].one_byte;
        eight += per_thread[n].eight_bytes;
        refused += per_thread[n].refused;
    }
    FILE* log = fopen(name, "w");
    if (log == NULL)
        return;
    fprintf(log, "%llu %llu %llu\n", one, eight, refused);
    fclose(log);
}
