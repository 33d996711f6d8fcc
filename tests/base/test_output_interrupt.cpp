// Output files and other processes' doings: an interrupt while a file is written, a user who may
// not write. Each case runs in a child process, which is what gets killed or loses its rights.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/text_file.h"
#include "scratch_folders.h"

namespace tgsim::testing {
namespace {

// Runs `child` in a forked process, which ends with status 0 after it.
pid_t forkRunning(const std::function<void()>& child) {
    const pid_t pid = fork();
    if (pid == 0) {
        child();
        _exit(0);
    }
    return pid;
}

TEST(OutputInterrupted, SigintOrSigtermWhileWritingLeavesTheOldFileAndNoTemporary) {
    for (const PendingContents pending : {PendingContents::UnnamedWherePossible, PendingContents::NamedTemporary}) {
        for (const int signal : {SIGINT, SIGTERM}) {
            ScratchFolder folder;
            const std::string name = folder / "big.csv";
            std::ofstream(name) << "old\n";
            int ready[2];
            ASSERT_EQ(pipe(ready), 0);
            const pid_t child = forkRunning([&] {
                // As in a program started from a terminal, whatever the test runner set.
                ::signal(SIGINT, SIG_DFL);
                ::signal(SIGTERM, SIG_DFL);
                writeTextFile(
                    name,
                    [&](std::ostream& out) {
                        for (int row = 0; row < 100000; ++row) out << "0.125,0.25,0.5,1.0,2.0,4.0,8.0,16.0\n";
                        out.flush();
                        if (write(ready[1], "w", 1) != 1) _exit(3);
                        for (;;) pause();  // the rest of a long table, interrupted
                    },
                    pending);
                _exit(2);
            });
            close(ready[1]);
            char byte = 0;
            ASSERT_EQ(read(ready[0], &byte, 1), 1);
            close(ready[0]);
            // The test means something only if the temporary file is there while writing.
            const std::size_t visible = pending == PendingContents::NamedTemporary ? 2 : 1;
            EXPECT_EQ(entriesOf(folder.path()).size(), visible);
            kill(child, signal);
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
            EXPECT_EQ(entriesOf(folder.path()), std::set<std::string>{"big.csv"});
            EXPECT_EQ(readFile(name), "old\n");
        }
    }
}

TEST(OutputInterrupted, APermissionDeniedIsReportedAndChangesNothing) {
    ScratchFolder folder;
    std::filesystem::create_directories(folder / "locked");
    std::filesystem::create_directories(folder / "open");
    chmod((folder / "locked").c_str(), 0555);
    chmod((folder / "open").c_str(), 0777);
    const std::string readOnly = folder / "open/read-only.csv";
    std::ofstream(readOnly) << "kept";
    chmod(readOnly.c_str(), 0444);
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t child = forkRunning([&] {
        // Root may write anywhere: the child becomes an ordinary user.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(4);
        std::string messages;
        for (const std::string& name : {folder / "locked/new.csv", readOnly})
            messages += failureOf([&] { writeTextFile(name, [](std::ostream& out) { out << "x"; }); }) + "|";
        if (write(report[1], messages.data(), messages.size()) != static_cast<ssize_t>(messages.size())) _exit(3);
    });
    close(report[1]);
    std::string messages;
    char buffer[512];
    for (ssize_t n; (n = read(report[0], buffer, sizeof buffer)) > 0;)
        messages.append(buffer, static_cast<std::size_t>(n));
    close(report[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 4) GTEST_SKIP() << "cannot become an ordinary user";
    ASSERT_EQ(status, 0);
    EXPECT_EQ(messages, "Cannot create file " + folder / "locked/new.csv" + "\nPermission denied|Cannot create file " +
                            readOnly + "\nPermission denied|");
    EXPECT_TRUE(entriesOf(folder / "locked").empty());
    EXPECT_EQ(entriesOf(folder / "open"), std::set<std::string>{"read-only.csv"});
    EXPECT_EQ(readFile(readOnly), "kept");
}

}  // namespace
}  // namespace tgsim::testing
