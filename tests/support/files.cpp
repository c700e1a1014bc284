#include "files.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

std::string benchmark_path(const std::string& program)
{
    return std::string(SUITE_BIN_DIR) + "/" + program + "_" + SUITE_BITS;
}

std::string helper_path(const std::string& name)
{
    return std::string(TEST_HELPER_DIR) + "/" + name;
}

std::string make_work_dir(const std::string& name)
{
    std::string base = std::string(TEST_WORK_DIR);
    mkdir(base.c_str(), 0755);
    std::string pattern = base + "/" + name + "_XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        throw std::runtime_error("mkdtemp failed for " + pattern);
    return buffer.data();
}

bool file_exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_file(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::vector<std::string> split_lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string shell_quote(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

int run_shell(const std::string& command, const std::string& dir)
{
    const std::string full = "cd " + shell_quote(dir) + " && " + command;
    pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/bash", "bash", "-c", full.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + WTERMSIG(status);
}

bool runs_emulated()
{
    return sizeof(void*) == 4 && file_exists("/proc/sys/fs/binfmt_misc/tamberlin-i386");
}

std::string address_space_limit(long kilobytes)
{
    if (runs_emulated())
        return "QEMU_RESERVED_VA=" + std::to_string(kilobytes * 1024) + " ";
    return "ulimit -v " + std::to_string(kilobytes) + "; ";
}
