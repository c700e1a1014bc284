#include "probe_log.h"

#include "files.h"

std::vector<std::string> probe_environment(const std::string& log_path)
{
    return {"OMP_PROBE_EVENTS=1", "OMP_PROBE_LOG=" + log_path, "LD_PRELOAD=" + helper_path("libomp_probe.so")};
}

std::vector<std::string> probe_events(const std::string& log_path)
{
    std::vector<std::string> events;
    for (const std::string& line : split_lines(read_file(log_path))) {
        const std::string word = line.substr(0, line.find(' '));
        if (word == "omp_set_num_threads")
            continue;
        if (word == "flush" && !events.empty() && events.back() == "console")
            events.back() = "flush";
        else
            events.push_back(word);
    }
    return events;
}

std::vector<std::size_t> clock_readings(const std::vector<std::string>& events)
{
    std::vector<std::size_t> readings;
    for (std::size_t n = 0; n < events.size(); ++n)
        if (events[n] == "wtime")
            readings.push_back(n);
    return readings;
}

std::vector<std::string> events_between(const std::vector<std::string>& events, std::size_t from, std::size_t to)
{
    return std::vector<std::string>(events.begin() + from + 1, events.begin() + to);
}
