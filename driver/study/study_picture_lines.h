#pragma once
// The lines of a study's picture, gathered point by point while the table is written, in memory
// that does not grow with the number of points: within each of kPictureColumns columns of the
// first sweep's values a line keeps at most its first, lowest, highest and last value (every
// value when the sweep has no more values than that), and the picture keeps the first
// kMostPictureLines lines. A value beyond ±kLargestPictureValue is left out (an axis over it
// would have no finite length) and breaks its line, as a point without a value does.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "study_plan.h"

namespace tgsim {

inline constexpr std::uint64_t kPictureColumns = 2048;
inline constexpr std::size_t kMostPictureLines = 100;
inline constexpr double kLargestPictureValue = 1e300;

struct PicturePoint {
    double x = 0, y = 0;
};

struct PictureLine {
    std::string name;                                     // the other sweeps' headers and values, or the figure's name
    std::vector<std::vector<PicturePoint>> segments{{}};  // runs of points with values
};

class StudyPictureLines {
public:
    explicit StudyPictureLines(const StudyOptions& study);

    // The figure of `point` (unset where the table leaves it empty). Points come in point order.
    void add(std::uint64_t point, std::optional<double> value);
    // The lines in the order of the other sweeps' combinations, each with its last column.
    std::vector<PictureLine> finish();

    std::uint64_t valuesLeftOut() const { return valuesLeftOut_; }  // beyond ±kLargestPictureValue
    // The lines of the study: one per combination of the other sweeps' values (the picture
    // keeps the first kMostPictureLines of them that have points in the table).
    std::uint64_t lineCount() const { return perValue_; }

private:
    struct Kept {
        std::uint64_t index = 0;  // of the first sweep's value
        PicturePoint point;
    };
    // What one line holds of the column it is in.
    struct Column {
        std::uint64_t number = 0;
        bool open = false;
        Kept first, lowest, highest, last;
    };
    struct Line {
        PictureLine picture;
        Column column;
        bool broken = false;  // a point without a value since the last value
    };

    void closeColumn(Line& line);

    const StudyOptions study_;  // a copy: the lines may outlive the options they were made for
    std::uint64_t perValue_;    // points per value of the first sweep
    std::map<std::uint64_t, Line> lines_;
    std::uint64_t valuesLeftOut_ = 0;
};

}  // namespace tgsim
