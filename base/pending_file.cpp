#include "base/pending_file.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace tgsim {
namespace {

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary file that a signal must remove: its folder's descriptor (-1: none) and its
// name. The name is written before the folder is published, and both only with the signals
// blocked, so the handler always reads a complete pair.
std::atomic<int> pendingFolder{-1};
char pendingName[16];

void removePendingAndEnd(int signal) {
    const int folder = pendingFolder.load();
    if (folder >= 0) unlinkat(folder, pendingName, 0);
    // The handler was installed with SA_RESETHAND: the signal, raised again, now does what it
    // would have done without us (end the process) as soon as this handler returns.
    raise(signal);
}

// Blocks the cleaned signals in this thread for the lifetime of the object: a step that creates
// or renames the temporary file completes before a signal can look at it.
class BlockedSignals {
public:
    BlockedSignals() {
        sigset_t set;
        sigemptyset(&set);
        for (int s : kCleanedSignals) sigaddset(&set, s);
        pthread_sigmask(SIG_BLOCK, &set, &old_);
    }
    ~BlockedSignals() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    BlockedSignals(const BlockedSignals&) = delete;
    BlockedSignals& operator=(const BlockedSignals&) = delete;

private:
    sigset_t old_;
};

// A short name that fits beside any valid file name: ".tgsim-" and six random letters or digits.
void makeTemporaryName(char (&name)[16]) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::memcpy(name, ".tgsim-", 7);
    for (int i = 7; i < 13; ++i) name[i] = kLetters[random() % 36];
    name[13] = '\0';
}

bool isUnsupportedUnnamedFile(int error) {
    // Kernels and file systems without O_TMPFILE answer with one of these.
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

int closeDescriptor(int& fd) {
    if (fd < 0) return 0;
    const int result = ::close(fd);
    fd = -1;
    // On Linux the descriptor is gone even when close is interrupted.
    return result == 0 || errno == EINTR ? 0 : errno;
}

}  // namespace

PendingFile::~PendingFile() {
    BlockedSignals blocked;
    closeDescriptor(file_);
    if (named_) {
        unlinkat(folder_, name_, 0);
        pendingFolder.store(-1);
    }
    for (std::size_t i = 0; i < std::size(kCleanedSignals); ++i) {
        if (!handlersInstalled_[i]) continue;
        struct sigaction current {};
        if (sigaction(kCleanedSignals[i], nullptr, &current) == 0 && current.sa_handler == removePendingAndEnd)
            signal(kCleanedSignals[i], SIG_DFL);
    }
}

int PendingFile::open(mode_t mode) {
    if (kind_ == PendingContents::UnnamedWherePossible) {
        file_ = openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (file_ >= 0) return 0;
        if (!isUnsupportedUnnamedFile(errno)) return errno;
    }
    return openNamed(mode);
}

int PendingFile::openNamed(mode_t mode) {
    // Only signals that would end the process untouched get the cleanup: a program that handles
    // or ignores one of them keeps its own behaviour.
    for (std::size_t i = 0; i < std::size(kCleanedSignals); ++i) {
        struct sigaction current {};
        if (sigaction(kCleanedSignals[i], nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) ||
            current.sa_handler != SIG_DFL)
            continue;
        struct sigaction cleanup {};
        cleanup.sa_handler = removePendingAndEnd;
        sigemptyset(&cleanup.sa_mask);
        for (int s : kCleanedSignals) sigaddset(&cleanup.sa_mask, s);
        cleanup.sa_flags = SA_RESETHAND;
        handlersInstalled_[i] = sigaction(kCleanedSignals[i], &cleanup, nullptr) == 0;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        BlockedSignals blocked;
        makeTemporaryName(name_);
        file_ = openat(folder_, name_, O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, mode);
        if (file_ >= 0) {
            named_ = true;
            std::memcpy(pendingName, name_, sizeof pendingName);
            pendingFolder.store(folder_);
            return 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

int PendingFile::commit(const char* name) {
    if (fsync(file_) != 0) return errno;
    if (!named_) return putUnnamedInPlace(name);
    if (const int error = closeDescriptor(file_)) return error;
    BlockedSignals blocked;
    if (renameat(folder_, name_, folder_, name) != 0) return errno;
    named_ = false;
    pendingFolder.store(-1);
    return 0;
}

// An unnamed file gets a temporary name first (a link cannot replace a file), which is then
// renamed over the target; with the signals blocked no interrupt can come between.
int PendingFile::putUnnamedInPlace(const char* name) {
    {
        BlockedSignals blocked;
        char linked[16];
        int error = EEXIST;
        for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
            makeTemporaryName(linked);
            error = linkat(file_, "", folder_, linked, AT_EMPTY_PATH) == 0 ? 0 : errno;
            if (error != 0 && error != EEXIST) {
                // Without the right to link by descriptor, the file's /proc entry serves.
                char path[40];
                std::snprintf(path, sizeof path, "/proc/self/fd/%d", file_);
                error = linkat(AT_FDCWD, path, folder_, linked, AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
            }
        }
        if (error != 0) return error;
        if (renameat(folder_, linked, folder_, name) != 0) {
            error = errno;
            unlinkat(folder_, linked, 0);
            return error;
        }
    }
    // The contents were flushed already; a close that still fails makes the save a failure,
    // and a failed save leaves no file.
    if (const int error = closeDescriptor(file_)) {
        unlinkat(folder_, name, 0);
        return error;
    }
    return 0;
}

}  // namespace tgsim
