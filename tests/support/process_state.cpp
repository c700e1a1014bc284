#include "process_state.h"

#include "files.h"

#include <algorithm>
#include <dirent.h>
#include <map>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

// The calls a benchmark's threads are seen blocked in, or exiting through.
const std::map<long, const char*> x86_64_calls = {
    {0, "read"}, {1, "write"}, {3, "close"}, {7, "poll"}, {9, "mmap"}, {10, "mprotect"}, {11, "munmap"},
    {12, "brk"}, {16, "ioctl"}, {19, "readv"}, {20, "writev"}, {23, "select"}, {24, "sched_yield"},
    {25, "mremap"}, {28, "madvise"}, {34, "pause"}, {35, "nanosleep"}, {47, "recvmsg"}, {60, "exit"},
    {61, "wait4"}, {73, "flock"}, {74, "fsync"}, {75, "fdatasync"}, {82, "rename"}, {87, "unlink"},
    {130, "rt_sigsuspend"}, {202, "futex"}, {230, "clock_nanosleep"}, {231, "exit_group"},
    {232, "epoll_wait"}, {257, "openat"}, {270, "pselect6"}, {271, "ppoll"}, {281, "epoll_pwait"},
    {449, "futex_waitv"}};
const std::map<long, const char*> i386_calls = {
    {1, "exit"}, {3, "read"}, {4, "write"}, {6, "close"}, {7, "waitpid"}, {10, "unlink"}, {29, "pause"},
    {38, "rename"}, {45, "brk"}, {54, "ioctl"}, {82, "select"}, {91, "munmap"}, {102, "socketcall"},
    {114, "wait4"}, {118, "fsync"}, {125, "mprotect"}, {142, "_newselect"}, {143, "flock"}, {145, "readv"},
    {146, "writev"}, {148, "fdatasync"}, {158, "sched_yield"}, {162, "nanosleep"}, {163, "mremap"},
    {168, "poll"}, {179, "rt_sigsuspend"}, {192, "mmap2"}, {219, "madvise"}, {240, "futex"},
    {252, "exit_group"}, {256, "epoll_wait"}, {267, "clock_nanosleep"}, {295, "openat"}, {308, "pselect6"},
    {309, "ppoll"}, {319, "epoll_pwait"}, {372, "recvmsg"}, {407, "clock_nanosleep_time64"},
    {413, "pselect6_time64"}, {414, "ppoll_time64"}, {422, "futex_time64"}};

// The name of a system call by the number /proc/PID/syscall shows: x86-64
// numbers, or i386 numbers for a 32-bit program the kernel runs itself.
std::string system_call_name(long number, bool i386)
{
    const std::map<long, const char*>& calls = i386 ? i386_calls : x86_64_calls;
    const auto found = calls.find(number);
    return found != calls.end() ? found->second : "syscall " + std::to_string(number);
}

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// The fields of /proc/.../stat after the name, which may hold spaces and
// parentheses: [0] the state, [11] user and [12] system time in clock ticks,
// [17] the thread count, [20] the virtual size in bytes.
struct Stat {
    std::string name;
    std::vector<std::string> fields;
    bool read(const std::string& path)
    {
        const std::string text = read_file(path);
        const std::string::size_type open = text.find('(');
        const std::string::size_type close = text.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open)
            return false;
        name = text.substr(open + 1, close - open - 1);
        std::istringstream rest(text.substr(close + 1));
        fields.clear();
        for (std::string field; rest >> field;)
            fields.push_back(field);
        return fields.size() > 20;
    }
    double cpu_seconds() const
    {
        return (std::stod(fields[11]) + std::stod(fields[12])) / static_cast<double>(sysconf(_SC_CLK_TCK));
    }
};

// A 32-bit program run by the kernel itself reports i386 call numbers. One
// run through the user-mode emulator is the emulator, a 64-bit program.
bool runs_as_i386(pid_t pid)
{
    const std::string header = read_file("/proc/" + std::to_string(pid) + "/exe").substr(0, 5);
    return header.size() == 5 && header.compare(0, 4, "\x7f" "ELF") == 0 && header[4] == 1;
}

// "in futex (202)", "running", or what the file holds otherwise.
std::string current_call(const std::string& task, bool i386)
{
    const std::string text = trimmed(read_file(task + "/syscall"));
    std::istringstream fields(text);
    long number = 0;
    if (!(fields >> number))
        return text.empty() ? "call unknown" : text;
    if (number < 0)
        return "in no call (" + text + ")";
    return "in " + system_call_name(number, i386) + " (" + std::to_string(number) + ")";
}

std::vector<std::string> thread_ids(pid_t pid)
{
    std::vector<std::string> ids;
    DIR* dir = opendir(("/proc/" + std::to_string(pid) + "/task").c_str());
    if (!dir)
        return ids;
    while (dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.')
            ids.push_back(entry->d_name);
    closedir(dir);
    std::sort(ids.begin(), ids.end(), [](const std::string& a, const std::string& b) {
        return std::stol(a) < std::stol(b);
    });
    return ids;
}

std::string machine_state()
{
    std::istringstream load(read_file("/proc/loadavg"));
    std::string one, five, fifteen;
    load >> one >> five >> fifteen;
    std::istringstream memory(read_file("/proc/meminfo"));
    long total = 0, available = 0;
    for (std::string key, unit; memory >> key;) {
        long value = 0;
        memory >> value;
        std::getline(memory, unit);
        if (key == "MemTotal:")
            total = value;
        else if (key == "MemAvailable:")
            available = value;
    }
    std::ostringstream text;
    text << "machine: load average " << one << " " << five << " " << fifteen << " on "
         << sysconf(_SC_NPROCESSORS_ONLN) << " processors, " << available / 1024 << " of " << total / 1024
         << " MiB available\n";
    return text.str();
}

} // namespace

std::string process_state(pid_t pid)
{
    const std::string proc = "/proc/" + std::to_string(pid);
    std::ostringstream text;
    Stat process;
    if (!process.read(proc + "/stat")) {
        text << "process " << pid << ": gone from /proc\n";
        return text.str() + machine_state();
    }
    text << "process " << pid << " (" << process.name << "): state " << process.fields[0] << ", "
         << process.fields[17] << " threads, " << process.cpu_seconds() << " s of CPU, "
         << std::stoll(process.fields[20]) / (1024 * 1024) << " MiB of address space\n";
    const bool i386 = runs_as_i386(pid);
    for (const std::string& id : thread_ids(pid)) {
        const std::string task = proc + "/task/" + id;
        Stat thread;
        if (!thread.read(task + "/stat"))
            continue;
        const std::string wchan = trimmed(read_file(task + "/wchan"));
        text << "  thread " << id << " (" << thread.name << "): state " << thread.fields[0] << ", wchan "
             << (wchan.empty() || wchan == "0" ? "-" : wchan) << ", " << current_call(task, i386) << ", "
             << thread.cpu_seconds() << " s of CPU\n";
    }
    return text.str() + machine_state();
}
