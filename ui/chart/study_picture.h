#pragma once
// The picture of a study (--study-picture): one figure of the table against the first sweep's
// values, one line for each combination of the other sweeps' values, with a legend.
#include <string>

#include "driver/study/study_picture_lines.h"

namespace tgsim::chart {

// Draws the lines (of the points of the table written) and writes the picture in the format of
// the file's extension (.svg, .png, .pdf) under the name's own bytes; the title says what the
// lines left out. Makes a Qt application for the drawing unless one exists; call it from the
// main thread only. Throws tgsim::Failure when the file cannot be written.
void writeStudyPicture(const StudyOptions& study, StudyPictureLines& lines, const std::string& fileName);

}  // namespace tgsim::chart
