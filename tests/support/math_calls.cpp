#include "math_calls.h"

#include "files.h"

#include <cstdlib>

std::vector<std::string> math_probe_environment(const std::string& log_path)
{
    return {"MATH_PROBE_LOG=" + log_path, "LD_PRELOAD=" + helper_path("libmath_probe.so")};
}

MathCalls read_math_calls(const std::string& log_path)
{
    MathCalls calls;
    const std::string log = read_file(log_path);
    const std::string::size_type end = log.find('\n');
    const std::string main_thread = log.substr(0, end);
    const std::string trailer = "\nother threads: ";
    if (end != std::string::npos && log.compare(end, trailer.size(), trailer) == 0)
        calls.other_threads = std::strtol(log.c_str() + end + trailer.size(), nullptr, 10);

    // The readings ('w') alternately open and close a timed interval.
    bool inside = false;
    std::string::size_type from = 0;
    for (;;) {
        const std::string::size_type reading = main_thread.find('w', from);
        std::vector<std::string>& part = inside ? calls.timed : calls.untimed;
        part.push_back(main_thread.substr(from, reading == std::string::npos ? std::string::npos : reading - from));
        if (reading == std::string::npos)
            break;
        inside = !inside;
        from = reading + 1;
    }
    return calls;
}

std::string repetition_mismatch(const std::string& calls, const std::string& unit, long count)
{
    const std::string expected = "\"" + unit + "\" x " + std::to_string(count);
    const std::string::size_type length = unit.size() * static_cast<std::string::size_type>(count);
    for (std::string::size_type n = 0; n < calls.size() && n < length; ++n)
        if (calls[n] != unit[n % unit.size()])
            return "call " + std::to_string(n) + " departs from " + expected + ": " +
                   excerpt(calls.substr(n - n % unit.size())) + " from its repetition on";
    if (calls.size() != length)
        return std::to_string(calls.size()) + " calls, expected " + expected;
    return "";
}

std::string excerpt(const std::string& calls)
{
    const std::string::size_type shown = 40;
    if (calls.size() <= shown)
        return "\"" + calls + "\"";
    return "\"" + calls.substr(0, shown) + "...\" (" + std::to_string(calls.size()) + " calls)";
}
