#pragma once
// The plan of a study: one step list run at every point of a grid of cell values, each sweep a
// range of values for one cell; the table and the picture it writes, the threads it runs on and
// the shard of the points this process takes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tgsim {

// COUNT evenly spaced values from FROM to TO, written in turn into one cell of a grid's value row.
struct Sweep {
    std::string grid;
    int column = 0;
    double from = 0, to = 0;
    std::uint64_t count = 1;

    std::string header() const;  // NAME.COL
    // Value `index` (0 .. count - 1): from at 0, to at count - 1, exactly.
    double value(std::uint64_t index) const;
    // The value as the program writes numbers into cells (what the cell holds at that point).
    std::string text(std::uint64_t index) const;
};

// The points of a study with point mod count = index.
struct Shard {
    std::uint64_t index = 0, count = 1;
    bool takes(std::uint64_t point) const { return point % count == index; }
};

inline constexpr const char* kDefaultStudyFigure = "P_damping_ratio";
// More points than this are refused: the numbering and the picture's values stay small.
inline constexpr std::uint64_t kMostStudyPoints = 1'000'000'000;
inline constexpr unsigned kMostJobs = 4096;

struct StudyOptions {
    std::optional<std::string> tableFile;    // --study: a study runs when it is set
    std::optional<std::string> pictureFile;  // --study-picture
    std::optional<std::string> figure;       // --study-figure (kDefaultStudyFigure when unset)
    std::vector<Sweep> sweeps;               // in the order of their steps
    unsigned jobs = 0;                       // --jobs; 0: one thread per core
    Shard shard;                             // --shard (all points by default)
    bool shardGiven = false;
    bool modes = false;  // --modes was given, with or without a FILE

    // The number of points: the product of the sweeps' counts (1 without sweeps).
    std::uint64_t pointCount() const;
    // The value index of each sweep at a point; the first sweep varies slowest.
    std::vector<std::uint64_t> indices(std::uint64_t point) const;
    std::string figureName() const { return figure.value_or(kDefaultStudyFigure); }
};

}  // namespace tgsim
