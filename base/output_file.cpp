#include "base/output_file.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <mutex>
#include <system_error>

#include "base/message_text.h"
#include "base/pending_file.h"

namespace tgsim {
namespace {

// Where the bytes go: a descriptor, written completely, the first error kept.
class DescriptorSink final : public OutputSink {
public:
    explicit DescriptorSink(int fd) : fd_(fd) {}
    bool write(const char* data, std::size_t size) override {
        while (error_ == 0 && size > 0) {
            const ssize_t written = ::write(fd_, data, size < (1u << 30) ? size : (1u << 30));
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) {
                error_ = written < 0 ? errno : EIO;
                break;
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return error_ == 0;
    }
    int error() const override { return error_; }

private:
    int fd_;
    int error_ = 0;
};

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 || errno == EINTR ? 0 : errno;
    }

private:
    int fd_;
};

// While a pipe is written, a reader that goes away is an error to report, not the end of the
// program (unless the program chose otherwise already).
class BrokenPipeReported {
public:
    BrokenPipeReported() {
        struct sigaction current {};
        if (sigaction(SIGPIPE, nullptr, &current) == 0 && !(current.sa_flags & SA_SIGINFO) &&
            current.sa_handler == SIG_DFL)
            changed_ = signal(SIGPIPE, SIG_IGN) != SIG_ERR;
    }
    ~BrokenPipeReported() {
        if (changed_) signal(SIGPIPE, SIG_DFL);
    }
    BrokenPipeReported(const BrokenPipeReported&) = delete;
    BrokenPipeReported& operator=(const BrokenPipeReported&) = delete;

private:
    bool changed_ = false;
};

struct Target {
    std::string path;  // the name with symbolic links followed
    bool direct = false;
    bool exists = false;
    struct stat status {};
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows the symbolic links that `path` names, as opening it would; a dangling last link gives
// the name its target will have. A link that lives in /proc (/dev/stdout leads there) names an
// open file of a process, which is to be written as it is.
int followLinks(Target& target) {
    for (int links = 0;; ++links) {
        struct stat status {};
        if (lstat(target.path.c_str(), &status) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(status.st_mode)) return 0;
        if (links == 40) return ELOOP;
        const std::string folder = folderOf(target.path);
        struct statfs system {};
        if (statfs(folder.empty() ? "." : folder.c_str(), &system) == 0 && system.f_type == PROC_SUPER_MAGIC) {
            target.direct = true;
            return 0;
        }
        char link[PATH_MAX];
        const ssize_t length = readlink(target.path.c_str(), link, sizeof link);
        if (length < 0) return errno;
        if (static_cast<std::size_t>(length) == sizeof link) return ENAMETOOLONG;
        const std::string linked(link, static_cast<std::size_t>(length));
        target.path = linked.front() == '/' ? linked : folder + linked;
    }
}

int findTarget(const std::string& name, Target& target) {
    target.path = name;
    if (stat(name.c_str(), &target.status) == 0) {
        target.exists = true;
        if (S_ISDIR(target.status.st_mode)) return EISDIR;
        if (!S_ISREG(target.status.st_mode)) {
            target.direct = true;
            return 0;
        }
    } else if (errno != ENOENT) {
        return errno;
    }
    return followLinks(target);
}

// Pipes, devices and files open in a process: written through, appending, never replaced.
int writeDirectly(const std::string& name, const std::function<void(OutputSink&)>& produce) {
    BrokenPipeReported brokenPipe;
    Descriptor file(open(name.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return errno;
    DescriptorSink sink(file.get());
    produce(sink);
    if (sink.error() != 0) return sink.error();
    return file.close();
}

// The name of a regular file to replace within its folder; 0 or the error number.
int nameInFolder(const Target& target, std::string& name) {
    name = target.path.substr(folderOf(target.path).size());
    if (name.empty()) return EISDIR;
    if (name.size() > NAME_MAX) return ENAMETOOLONG;
    return 0;
}

int openFolder(const Target& target) {
    const std::string path = folderOf(target.path);
    return open(path.empty() ? "." : path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

// What writeReplacing needs before it writes: the name, the folder, the right to write a file
// into the folder and to replace the file there.
int checkReplacing(const Target& target) {
    std::string name;
    if (const int error = nameInFolder(target, name)) return error;
    Descriptor folder(openFolder(target));
    if (folder.get() < 0) return errno;
    if (faccessat(folder.get(), ".", W_OK | X_OK, AT_EACCESS) != 0) return errno;
    if (target.exists && faccessat(folder.get(), name.c_str(), W_OK, AT_EACCESS) != 0) return errno;
    return 0;
}

int writeReplacing(const Target& target, const std::function<void(OutputSink&)>& produce, PendingContents kind) {
    std::string name;
    if (const int error = nameInFolder(target, name)) return error;
    Descriptor folder(openFolder(target));
    if (folder.get() < 0) return errno;
    // A file the user may not write is not replaced behind its back.
    if (target.exists && faccessat(folder.get(), name.c_str(), W_OK, AT_EACCESS) != 0) return errno;

    PendingFile pending(folder.get(), kind);
    if (const int error = pending.open(target.exists ? 0600 : 0666)) return error;
    if (target.exists) {
        const struct stat& old = target.status;
        // Keeping the owner is possible only with the right to change owners: best effort.
        if ((old.st_uid != geteuid() || old.st_gid != getegid()) &&
            fchown(pending.descriptor(), old.st_uid, old.st_gid) != 0) {
        }
        if (fchmod(pending.descriptor(), old.st_mode & 07777) != 0) return errno;
    }
    DescriptorSink sink(pending.descriptor());
    produce(sink);
    if (sink.error() != 0) return sink.error();
    return pending.commit(name.c_str());
}

// One file at a time: a temporary file's name is kept where a signal handler can find it.
std::mutex writing;

}  // namespace

std::string fileErrorCause(int error) {
    switch (error) {
    case ENOSPC: return "No space left on device";
    case EDQUOT: return "Disk quota exceeded";
    case EACCES:
    case EPERM: return "Permission denied";
    case ENOENT: return "No such folder";
    case EISDIR: return "Is a folder";
    case ENOTDIR: return "A part of the path is not a folder";
    case EROFS: return "Read-only file system";
    case ENAMETOOLONG: return "File name too long";
    case ELOOP: return "Too many levels of symbolic links";
    case EFBIG: return "File too large";
    case EPIPE: return "Nobody reads the pipe any more";
    case EIO: return "Input/output error";
    default: return std::generic_category().message(error);
    }
}

Failure cannotCreateFile(const std::string& name, const std::string& cause) {
    return Failure("Cannot create file " + quotedForMessage(name, kWholeText) + "\n" + cause);
}

Failure pipeClosedEarly(const std::string& name) {
    return Failure("Writing " + name + " stopped: the program reading the pipe closed it early");
}

void writeOutputFile(const std::string& name, const std::function<void(OutputSink&)>& produce,
                     PendingContents pending) {
    if (name.empty()) throw cannotCreateFile(name, "The file name is empty");
    const std::lock_guard<std::mutex> lock(writing);
    Target target;
    int error = findTarget(name, target);
    if (error == 0)
        error = target.direct ? writeDirectly(target.path, produce) : writeReplacing(target, produce, pending);
    // The file was there and taking text: a reader that went away is no failure to create it.
    if (error == EPIPE) throw pipeClosedEarly(quotedForMessage(name, kWholeText));
    if (error != 0) throw cannotCreateFile(name, fileErrorCause(error));
}

void writeStandardOutput(std::string_view bytes) {
    std::fflush(stdout);  // what the C and C++ streams hold goes first
    int error = 0;
    {
        BrokenPipeReported brokenPipe;
        DescriptorSink sink(STDOUT_FILENO);
        sink.write(bytes.data(), bytes.size());
        error = sink.error();
    }
    if (error == EPIPE) throw pipeClosedEarly("standard output");
    if (error == EBADF) throw Failure("Cannot write to standard output\nIt is closed");
    if (error != 0) throw Failure("Cannot write to standard output\n" + fileErrorCause(error));
}

void checkOutputFile(const std::string& name) {
    if (name.empty()) throw cannotCreateFile(name, "The file name is empty");
    Target target;
    int error = findTarget(name, target);
    if (error == 0 && target.direct && faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) error = errno;
    if (error == 0 && !target.direct) error = checkReplacing(target);
    if (error != 0) throw cannotCreateFile(name, fileErrorCause(error));
}

void writeOutputFile(const std::string& name, std::string_view bytes, PendingContents pending) {
    writeOutputFile(
        name, [bytes](OutputSink& sink) { sink.write(bytes.data(), bytes.size()); }, pending);
}

}  // namespace tgsim
