#pragma once
// Folders for the output-file tests: a scratch folder removed afterwards, and a tiny RAM disk
// (tmpfs, 64 kB) to fill up. Mounting needs root; without it the full-disk tests are skipped.
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>

#include "base/failure.h"

namespace tgsim::testing {

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tgsim-output-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
        chmod(path_.c_str(), 0755);  // other users (a test's unprivileged child) may pass
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

class SmallDisk {
public:
    explicit SmallDisk(std::string folder) : folder_(std::move(folder)) {
        mkdir(folder_.c_str(), 0755);
        mounted_ = mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }
    std::string operator/(const std::string& name) const { return folder_ + "/" + name; }

    // Fills the disk with the file "filler" until only about `free` bytes are left.
    void fillLeaving(long free) const {
        const std::string filler = *this / "filler";
        std::FILE* file = std::fopen(filler.c_str(), "wb");
        const std::string block(4096, '\0');
        while (std::fwrite(block.data(), 1, block.size(), file) == block.size() && std::fflush(file) == 0) {
        }
        std::fclose(file);
        const auto size = static_cast<long>(std::filesystem::file_size(filler));
        if (truncate(filler.c_str(), std::max(0L, size - free)) != 0) std::abort();
    }

private:
    std::string folder_;
    bool mounted_ = false;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::set<std::string> entriesOf(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

inline std::string failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "no failure";
}

}  // namespace tgsim::testing
