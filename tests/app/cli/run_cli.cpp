#include "run_cli.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tgsim::testing {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string temporaryPath(const std::string& name) {
    const auto folder = std::filesystem::temp_directory_path() / ("tgsim_cli_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    return (folder / name).string();
}

namespace {

// AddressSanitizer reserves terabytes of address space: no cap on it there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceCanBeCapped = false;
#else
constexpr bool kAddressSpaceCanBeCapped = true;
#endif

}  // namespace

CliRun runCli(const std::vector<std::string>& args, const CliLimits& limits) {
    const std::string out = temporaryPath("stdout.txt"), err = temporaryPath("stderr.txt");
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        std::string program = TGSIM_CLI_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copies(args);
        for (std::string& a : copies) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (!freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr)) _exit(126);
        if (limits.addressSpace && kAddressSpaceCanBeCapped) {
            const rlimit cap{limits.addressSpace, limits.addressSpace};
            setrlimit(RLIMIT_AS, &cap);
        }
        if (limits.seconds) alarm(limits.seconds);  // kept across exec
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    CliRun run;
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : WIFSIGNALED(wstatus) ? -WTERMSIG(wstatus) : -1;
    run.out = readFile(out);
    run.err = readFile(err);
    return run;
}

}  // namespace tgsim::testing
