#pragma once
// The picture of a study (--study-picture): one figure of the table against the first sweep's
// values, one line for each combination of the other sweeps' values, with a legend.
#include <string>
#include <vector>

#include "driver/study/study_runner.h"

namespace tgsim::chart {

// Draws the values (the points of the table written, in point order) and writes the picture in
// the format of the file's extension (.svg, .png, .pdf). A point without a value breaks its line.
// Makes a Qt application for the drawing unless one exists; call it from the main thread only.
// Throws tgsim::Failure when the file cannot be written.
void writeStudyPicture(const StudyOptions& study, const std::vector<PictureValue>& values, const std::string& fileName);

}  // namespace tgsim::chart
