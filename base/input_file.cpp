#include "base/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/failure.h"
#include "base/message_text.h"
#include "base/output_file.h"

namespace tgsim {
namespace {

Failure cannotRead(const std::string& name, const std::string& cause) {
    return Failure("Cannot read file " + quotedForMessage(name, kWholeText) + "\n" + cause);
}

// Closes the descriptor however the reading ends.
struct OpenFile {
    int fd;
    ~OpenFile() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

std::string readInputFile(const std::string& name, std::size_t maxBytes) {
    if (name.empty()) throw cannotRead(name, "The file name is empty");
    const OpenFile file{::open(name.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) throw cannotRead(name, errno == ENOENT ? "No such file" : fileErrorCause(errno));
    struct stat status {};
    if (::fstat(file.fd, &status) == 0 && S_ISDIR(status.st_mode)) throw cannotRead(name, fileErrorCause(EISDIR));
    std::string bytes;
    char buffer[1 << 14];
    for (;;) {
        const ssize_t got = ::read(file.fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw cannotRead(name, fileErrorCause(errno));
        if (got == 0) return bytes;
        if (bytes.size() + static_cast<std::size_t>(got) > maxBytes)
            throw cannotRead(name, "It is larger than " + std::to_string(maxBytes / 1024) + " KiB");
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace tgsim
