#include "child_process.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

namespace velmar::bench {

namespace {

[[noreturn]] void execute(std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

}  // namespace

pid_t spawn(std::vector<std::string> args, ChildOutput output)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    if (output != ChildOutput::Shown) {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            if (output == ChildOutput::Quiet)
                dup2(null, STDERR_FILENO);
        }
    }
    execute(args);
}

pid_t spawnInto(std::vector<std::string> args, const std::string& path)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    const int out = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (out < 0 || null < 0)
        _exit(127);
    dup2(out, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execute(args);
}

double cpuSeconds(const rusage& usage)
{
    const auto s = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return s(usage.ru_utime) + s(usage.ru_stime);
}

bool waitForLink(const std::string& link)
{
    for (int i = 0; i < 100; ++i) {
        if (std::filesystem::exists(link))
            return true;
        usleep(50'000);
    }
    return std::filesystem::exists(link);
}

}  // namespace velmar::bench
