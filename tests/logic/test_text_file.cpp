// Whole-file text writing: an existing file is replaced, a failure leaves nothing behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/failure.h"
#include "driver/text_file.h"

namespace tgsim {
namespace {

namespace fs = std::filesystem;

TEST(TextFile, ReplacesAnExistingFileAndLeavesNoTemporary) {
    const fs::path folder = fs::temp_directory_path() / "tgsim_text_file_test";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string name = (folder / "wyniki.csv").string();
    std::ofstream(name) << "old contents, longer than the new ones\n";
    writeTextFile(name, [](std::ostream& out) { out << "t,Id\n"; });
    std::ifstream in(name);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "t,Id\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

TEST(TextFile, AMissingFolderIsReportedWithTheFileName) {
    const std::string name = (fs::temp_directory_path() / "tgsim-no-such-folder" / "r.csv").string();
    try {
        writeTextFile(name, [](std::ostream& out) { out << "x"; });
        FAIL();
    } catch (const Failure& failure) {
        EXPECT_EQ(std::string(failure.what()), "Cannot create file " + name);
    }
    EXPECT_FALSE(fs::exists(name));
}

}  // namespace
}  // namespace tgsim
