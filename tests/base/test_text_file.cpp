// Writing output files: a regular file is replaced whole or not at all, with nothing left beside
// it; links are followed, special files written through; every failure says why.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <thread>

#include "base/text_file.h"
#include "scratch_folders.h"

namespace tgsim::testing {
namespace {

constexpr PendingContents kBothKinds[] = {PendingContents::UnnamedWherePossible, PendingContents::NamedTemporary};

void writeText(const std::string& name, const std::string& text,
               PendingContents pending = PendingContents::UnnamedWherePossible) {
    writeTextFile(
        name, [&text](std::ostream& out) { out << text; }, pending);
}

mode_t modeOf(const std::string& path) {
    struct stat status {};
    lstat(path.c_str(), &status);
    return status.st_mode;
}

TEST(TextFile, ReplacesARegularFileWholeKeepingItsMode) {
    for (const PendingContents pending : kBothKinds) {
        ScratchFolder folder;
        const std::string name = folder / "wyniki.csv";
        std::ofstream(name) << "old contents, longer than the new ones\n";
        chmod(name.c_str(), 0640);
        writeText(name, "t,Id\n", pending);
        EXPECT_EQ(readFile(name), "t,Id\n");
        EXPECT_EQ(modeOf(name) & 07777, 0640u);

        const mode_t mask = umask(022);
        writeText(folder / "nowy.csv", "x", pending);
        umask(mask);
        EXPECT_EQ(modeOf(folder / "nowy.csv") & 07777, 0644u);
        EXPECT_EQ(entriesOf(folder.path()), (std::set<std::string>{"wyniki.csv", "nowy.csv"}));
    }
}

TEST(TextFile, AFullDiskLeavesTheOldFileAndNothingElse) {
    ScratchFolder folder;
    const SmallDisk disk(folder / "disk");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    const std::string old = disk / "wyniki.csv";
    std::ofstream(old) << "old\n";
    disk.fillLeaving(16 * 1024);
    for (const PendingContents pending : kBothKinds) {
        for (const std::string& name : {old, disk / "nowy.csv"}) {
            long rows = 0;
            const auto longTable = [&rows](std::ostream& out) {
                for (rows = 0; rows < 1000000; ++rows) out << "0.1,0.2,0.3\n";
            };
            EXPECT_EQ(failureOf([&] { writeTextFile(name, longTable, pending); }),
                      "Cannot create file " + name + "\nNo space left on device");
            EXPECT_LT(rows, 10000) << "the writer goes on after the disk is full";
        }
        EXPECT_EQ(readFile(old), "old\n");
        EXPECT_EQ(entriesOf(disk / ""), (std::set<std::string>{"filler", "wyniki.csv"}));
    }
}

TEST(TextFile, SymbolicLinksAreFollowedAndKept) {
    for (const PendingContents pending : kBothKinds) {
        ScratchFolder folder;
        std::filesystem::create_directories(folder / "a");
        std::filesystem::create_directories(folder / "b");
        std::ofstream(folder / "b/target.csv") << "old";
        chmod((folder / "b/target.csv").c_str(), 0600);
        std::filesystem::create_symlink("../b/target.csv", folder / "a/link.csv");
        std::filesystem::create_symlink("link.csv", folder / "a/chain.csv");
        std::filesystem::create_symlink("../b/new.csv", folder / "a/dangling.csv");

        writeText(folder / "a/chain.csv", "through two links", pending);
        EXPECT_EQ(readFile(folder / "b/target.csv"), "through two links");
        EXPECT_EQ(modeOf(folder / "b/target.csv") & 07777, 0600u);
        writeText(folder / "a/dangling.csv", "created at the link's target", pending);
        EXPECT_EQ(readFile(folder / "b/new.csv"), "created at the link's target");

        for (const char* link : {"a/link.csv", "a/chain.csv", "a/dangling.csv"})
            EXPECT_TRUE(S_ISLNK(modeOf(folder / link))) << link;
        EXPECT_EQ(entriesOf(folder / "a"), (std::set<std::string>{"link.csv", "chain.csv", "dangling.csv"}));
        EXPECT_EQ(entriesOf(folder / "b"), (std::set<std::string>{"target.csv", "new.csv"}));
    }
}

TEST(TextFile, SpecialFilesAreWrittenThroughNotReplaced) {
    ScratchFolder folder;
    // A named pipe: its reader gets the text, the pipe stays.
    const std::string fifo = folder / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = readFile(fifo); });
    writeText(fifo, "through the pipe\n");
    reader.join();
    EXPECT_EQ(received, "through the pipe\n");
    EXPECT_TRUE(S_ISFIFO(modeOf(fifo)));

    // What /dev/stdout leads to: an open descriptor under /proc. A pipe gets the text; a
    // regular file gets it appended, the file itself untouched (the shell still writes there).
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    writeText("/proc/self/fd/" + std::to_string(ends[1]), "to the descriptor");
    close(ends[1]);
    char buffer[64] = {};
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(read(ends[0], buffer, sizeof buffer))), "to the descriptor");
    close(ends[0]);
    const std::string redirected = folder / "stdout.txt";
    const int fd = open(redirected.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_EQ(write(fd, "head\n", 5), 5);
    struct stat before {
    }, after{};
    fstat(fd, &before);
    writeText("/proc/self/fd/" + std::to_string(fd), "results\n");
    stat(redirected.c_str(), &after);
    close(fd);
    EXPECT_EQ(readFile(redirected), "head\nresults\n");
    EXPECT_EQ(before.st_ino, after.st_ino);

    // A pipe whose reader has gone: reported, and the program lives on.
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    const std::string orphan = "/proc/self/fd/" + std::to_string(ends[1]);
    EXPECT_EQ(failureOf([&] { writeText(orphan, "lost"); }),
              "Writing " + orphan + " stopped: the program reading the pipe closed it early");
    close(ends[1]);

    // Character devices (made here, never the system's own nodes): still devices afterwards,
    // and a device that refuses the bytes (like /dev/full) gives the reason.
    std::set<std::string> expected{"pipe", "stdout.txt"};
    const std::string null = folder / "null", full = folder / "full";
    if (mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
        mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0) {
        writeText(null, "discarded");
        EXPECT_EQ(failureOf([&] { writeText(full, "refused"); }),
                  "Cannot create file " + full + "\nNo space left on device");
        EXPECT_TRUE(S_ISCHR(modeOf(null)) && S_ISCHR(modeOf(full)));
        expected.insert({"null", "full"});
    }
    EXPECT_EQ(entriesOf(folder.path()), expected);
}

TEST(TextFile, TheLongestValidNameWorks) {
    ScratchFolder folder;
    for (const PendingContents pending : kBothKinds) {
        for (const std::size_t length : {251, 255}) {
            const std::string name = folder / std::string(length, 'w');
            writeText(name, "long name", pending);
            EXPECT_EQ(readFile(name), "long name");
        }
    }
    const std::string tooLong = folder / std::string(256, 'w');
    EXPECT_EQ(failureOf([&] { writeText(tooLong, "x"); }), "Cannot create file " + tooLong + "\nFile name too long");
    EXPECT_EQ(entriesOf(folder.path()).size(), 2u);
}

TEST(TextFile, AFailureNamesTheFileAndItsCause) {
    ScratchFolder folder;
    std::filesystem::create_directories(folder / "taken");
    std::ofstream(folder / "plain") << "x";
    const struct {
        std::string name, message;
    } cases[] = {
        {folder / "missing/r.csv", "No such folder"},
        {folder / "taken", "Is a folder"},
        {folder / "taken/", "Is a folder"},
        {folder / "plain/r.csv", "A part of the path is not a folder"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureOf([&] { writeText(c.name, "x"); }), "Cannot create file " + c.name + "\n" + c.message);
    EXPECT_EQ(failureOf([&] { writeText("", "x"); }), "Cannot create file \nThe file name is empty");
    // A name that would break the message's lines is shown escaped.
    EXPECT_EQ(failureOf([&] { writeText(folder / "missing/a\nb\xff", "x"); }),
              "Cannot create file " + folder / "missing/a\\nb\\xFF" + "\nNo such folder");
    EXPECT_EQ(entriesOf(folder.path()), (std::set<std::string>{"taken", "plain"}));
}

}  // namespace
}  // namespace tgsim::testing
