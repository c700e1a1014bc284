/* Preloaded into a benchmark by the tests: records which math routines the
 * program itself calls, and in what order relative to its clock readings.
 * Only calls made from the main executable count (the GL driver and the
 * libraries have math of their own). Calls on the main thread go to the file
 * named by MATH_PROBE_LOG, one character per call:
 *   a atan, s sin, c cos, S sincos, t tan, w omp_get_wtime (a clock reading);
 * calls from other threads are only counted, and the count is written after
 * them at exit as "\nother threads: N\n". One character a call keeps a fill
 * of millions of elements cheap to record. Every call is passed on to the
 * real routine; nothing is computed here. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <math.h>
#include <pthread.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int log_fd = -1;
static pthread_t main_thread;
static uintptr_t program_begin;
static uintptr_t program_end;
static char pending[1 << 16];
static size_t pending_count;
static unsigned long other_threads;

static double (*real_atan)(double);
static double (*real_sin)(double);
static double (*real_cos)(double);
static void (*real_sincos)(double, double*, double*);
static double (*real_tan)(double);
static double (*real_omp_get_wtime)(void);

static void write_all(const char* text, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(log_fd, text, size);
        if (written <= 0)
            return;
        text += written;
        size -= (size_t)written;
    }
}

/* The first object dl_iterate_phdr reports is the main executable. */
static int find_program(struct dl_phdr_info* info, size_t size, void* data)
{
    (void)size;
    (void)data;
    for (int n = 0; n < info->dlpi_phnum; ++n) {
        const ElfW(Phdr)* segment = &info->dlpi_phdr[n];
        if (segment->p_type != PT_LOAD)
            continue;
        const uintptr_t begin = info->dlpi_addr + segment->p_vaddr;
        const uintptr_t end = begin + segment->p_memsz;
        if (program_begin == 0 || begin < program_begin)
            program_begin = begin;
        if (end > program_end)
            program_end = end;
    }
    return 1;
}

__attribute__((constructor)) static void start(void)
{
    real_atan = (double (*)(double))dlsym(RTLD_NEXT, "atan");
    real_sin = (double (*)(double))dlsym(RTLD_NEXT, "sin");
    real_cos = (double (*)(double))dlsym(RTLD_NEXT, "cos");
    real_sincos = (void (*)(double, double*, double*))dlsym(RTLD_NEXT, "sincos");
    real_tan = (double (*)(double))dlsym(RTLD_NEXT, "tan");
    real_omp_get_wtime = (double (*)(void))dlsym(RTLD_NEXT, "omp_get_wtime");
    main_thread = pthread_self();
    dl_iterate_phdr(find_program, NULL);
    const char* path = getenv("MATH_PROBE_LOG");
    if (path)
        log_fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
}

__attribute__((destructor)) static void finish(void)
{
    if (log_fd < 0)
        return;
    write_all(pending, pending_count);
    pending_count = 0;
    char trailer[64];
    const int size = snprintf(trailer, sizeof trailer, "\nother threads: %lu\n",
                              __atomic_load_n(&other_threads, __ATOMIC_RELAXED));
    write_all(trailer, (size_t)size);
    close(log_fd);
    log_fd = -1;
}

static void record(char routine, void* return_address)
{
    const uintptr_t caller = (uintptr_t)return_address;
    if (log_fd < 0 || caller < program_begin || caller >= program_end)
        return;
    if (!pthread_equal(pthread_self(), main_thread)) {
        __atomic_fetch_add(&other_threads, 1, __ATOMIC_RELAXED);
        return;
    }
    pending[pending_count++] = routine;
    if (pending_count == sizeof pending) {
        write_all(pending, pending_count);
        pending_count = 0;
    }
}

/* Each wrapper ends in a call whose result it returns unchanged, so the
 * caller sees exactly what the real routine returned (in the 32-bit build
 * an x87 register, not rounded here). */

double atan(double x)
{
    record('a', __builtin_return_address(0));
    return real_atan(x);
}

double sin(double x)
{
    record('s', __builtin_return_address(0));
    return real_sin(x);
}

double cos(double x)
{
    record('c', __builtin_return_address(0));
    return real_cos(x);
}

void sincos(double x, double* s, double* c)
{
    record('S', __builtin_return_address(0));
    real_sincos(x, s, c);
}

double tan(double x)
{
    record('t', __builtin_return_address(0));
    return real_tan(x);
}

double omp_get_wtime(void)
{
    record('w', __builtin_return_address(0));
    return real_omp_get_wtime();
}
