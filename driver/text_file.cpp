#include "text_file.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "core/failure.h"

namespace tgsim {

void writeTextFile(const std::string& name, const std::function<void(std::ostream&)>& writer) {
    const std::string temporary = name + ".tmp-" + std::to_string(getpid());
    bool written = false;
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (file) writer(file);
        if (file) file.close();
        written = static_cast<bool>(file);
    }
    if (!written || std::rename(temporary.c_str(), name.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw Failure("Cannot create file " + name);
    }
}

}  // namespace tgsim
