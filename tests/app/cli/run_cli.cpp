#include "run_cli.h"

#include <fcntl.h>
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

// In the child, before the runner starts.
void redirectStandardOutput(StandardOutput where) {
    int ends[2];
    switch (where) {
    case StandardOutput::File: return;
    case StandardOutput::Closed: close(STDOUT_FILENO); return;
    case StandardOutput::Full: {
        // Written through the descriptor only: the device itself is never replaced.
        const int full = open("/dev/full", O_WRONLY);
        if (full < 0 || dup2(full, STDOUT_FILENO) < 0) _exit(126);
        close(full);
        return;
    }
    case StandardOutput::ReaderGone:
        if (pipe(ends) != 0 || dup2(ends[1], STDOUT_FILENO) < 0) _exit(126);
        close(ends[0]);
        close(ends[1]);
        return;
    }
}

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
        redirectStandardOutput(limits.standardOutput);
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
