#pragma once
// Writing an output file (a table of results, a picture) so that a failure or an interrupt never
// leaves a half-written file or a stray temporary one behind, and a special file named as the
// output (a pipe, a device, a symbolic link) is never replaced by a regular file.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "base/failure.h"

namespace tgsim {

// Receives the bytes of the file in order.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    // Appends the bytes; false once writing has failed, after which nothing more is written.
    virtual bool write(const char* data, std::size_t size) = 0;
    // The system's error number of the failed write, or 0.
    virtual int error() const = 0;
};

// How the new contents of a regular file wait until they are complete. The named form is the
// fallback for file systems without unnamed files; tests choose it to exercise it.
enum class PendingContents { UnnamedWherePossible, NamedTemporary };

// Writes the file `name` with the bytes that `produce` hands to the sink.
// - A new name or an existing regular file (also one reached through symbolic links, which stay
//   as they are) gets its contents written to an unnamed file, or a short-named temporary one,
//   in the same folder, flushed to the disk and then put in place in one step. Until then the
//   old file stays as it was; a failure leaves neither a new file nor a temporary one, and so
//   does SIGINT, SIGTERM or SIGHUP while writing. A replaced file keeps its permissions.
// - An existing file that is not a regular file (a pipe, a terminal or other device, or a file
//   reached through /proc/self/fd such as /dev/stdout) is written directly, appending.
// Throws Failure "Cannot create file <name>" with the cause on the next line when the file
// cannot be written, "Writing <name> stopped: ..." when the program reading a pipe closed it
// early; an exception from `produce` passes through unchanged.
void writeOutputFile(const std::string& name, const std::function<void(OutputSink&)>& produce,
                     PendingContents pending = PendingContents::UnnamedWherePossible);
void writeOutputFile(const std::string& name, std::string_view bytes,
                     PendingContents pending = PendingContents::UnnamedWherePossible);

// Writes the bytes to the process's standard output, after what its C and C++ streams hold.
// Throws Failure "Cannot write to standard output" with the cause on the next line, or, when the
// program reading a pipe closed it early, a message that says so (as writeOutputFile does).
void writeStandardOutput(std::string_view bytes);

// Whether `name` can be written as writeOutputFile would write it, checked without writing:
// the folder exists and may be written, the name is not a folder's, an existing file may be
// written. Throws the Failure writeOutputFile would throw for these; a later write may still
// fail (a full disk, a pipe whose reader goes away).
void checkOutputFile(const std::string& name);

// The cause line of the message for a system error number, in plain English.
std::string fileErrorCause(int error);

// "Cannot create file <name>" (the name shown as quotedForMessage shows it, whole) and the cause.
Failure cannotCreateFile(const std::string& name, const std::string& cause);

}  // namespace tgsim
