// The lines of a study's picture: every point while the first sweep has few values, a bounded
// number of points (keeping each column's extremes) when it has many, gaps where values are
// missing or too large to draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "driver/study/study_picture_lines.h"

namespace tgsim {
namespace {

StudyOptions sweeps(std::uint64_t first, std::uint64_t second) {
    StudyOptions study;
    study.sweeps = {Sweep{"siatka", 0, 0.0, static_cast<double>(first - 1), first},
                    Sweep{"siatka", 1, 1.0, static_cast<double>(second), second}};
    return study;
}

std::size_t pointCount(const PictureLine& line) {
    std::size_t n = 0;
    for (const auto& segment : line.segments) n += segment.size();
    return n;
}

TEST(StudyPictureLines, FewValuesAreDrawnExactlyAndGapsBreakTheLine) {
    const StudyOptions study = sweeps(5, 2);
    StudyPictureLines lines(study);
    // Line 0 (odd points' partner): values 0, none, 2, 1e301, 4; line 1: all present.
    const std::vector<std::optional<double>> line0 = {0.0, std::nullopt, 2.0, 1e301, 4.0};
    for (std::uint64_t point = 0; point < 10; ++point)
        lines.add(point, point % 2 == 0 ? line0[point / 2] : std::optional<double>(10.0 + static_cast<double>(point)));
    const std::vector<PictureLine> drawn = lines.finish();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].name, "siatka.1 = 1");
    ASSERT_EQ(drawn[0].segments.size(), 3u);
    EXPECT_EQ(drawn[0].segments[1].size(), 1u);
    EXPECT_EQ(drawn[0].segments[1][0].x, 2.0);
    EXPECT_EQ(drawn[0].segments[2][0].y, 4.0);
    EXPECT_EQ(drawn[1].segments.size(), 1u);
    EXPECT_EQ(pointCount(drawn[1]), 5u);
    EXPECT_EQ(lines.valuesLeftOut(), 1u);
}

TEST(StudyPictureLines, ManyValuesOrLinesAreBounded) {
    const StudyOptions study = sweeps(300'000, 1);
    StudyPictureLines lines(study);
    for (std::uint64_t point = 0; point < 300'000; ++point) {
        const double v = std::sin(static_cast<double>(point) * 1e-3) + (point == 177'777 ? 10.0 : 0.0);
        lines.add(point, v);
    }
    const std::vector<PictureLine> drawn = lines.finish();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_LE(pointCount(drawn[0]), 4 * kPictureColumns);
    double highest = -1;
    for (const auto& segment : drawn[0].segments)
        for (const PicturePoint& p : segment) highest = std::max(highest, p.y);
    EXPECT_GT(highest, 8.0);  // the spike survives

    StudyPictureLines many(sweeps(2, 1000));
    for (std::uint64_t point = 0; point < 2000; ++point) many.add(point, 1.0);
    EXPECT_EQ(many.finish().size(), kMostPictureLines);
    EXPECT_EQ(many.lineCount(), 1000u);
}

}  // namespace
}  // namespace tgsim
