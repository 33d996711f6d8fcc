#pragma once
// The new contents of a regular file while they are being written, in the file's own folder:
// an unnamed file where the file system has them (nothing to clean up, whatever happens), else a
// short-named temporary file that is removed on failure and on SIGINT, SIGTERM or SIGHUP.
// Only one pending file exists at a time in the process (the caller serialises).
#include <sys/types.h>

#include "base/output_file.h"

namespace tgsim {

class PendingFile {
public:
    // folder: an open descriptor of the target's folder, kept open while this object lives.
    PendingFile(int folder, PendingContents kind) : folder_(folder), kind_(kind) {}
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Creates the pending file with `mode` (less the umask); 0 or the error number.
    int open(mode_t mode);
    int descriptor() const { return file_; }
    // Flushes the contents to the disk and puts them in place under `name` in the folder,
    // replacing a file of that name in one step; 0 or the error number (nothing is left then).
    int commit(const char* name);

private:
    int openNamed(mode_t mode);
    int putUnnamedInPlace(const char* name);

    int folder_;
    PendingContents kind_;
    int file_ = -1;
    bool named_ = false;  // a temporary name exists and must go if the writing does not finish
    bool handlersInstalled_[3] = {false, false, false};
    char name_[16] = {};
};

}  // namespace tgsim
