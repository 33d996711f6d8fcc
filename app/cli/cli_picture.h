#pragma once
// The chart as the window would draw it after the steps, saved as a picture (--picture).
#include <iosfwd>
#include <string>

namespace tgsim {
class Session;
}

namespace tgsim::cli {

// Whether the file name ends in .wmf, .emf, .png, .svg or .pdf (any case).
bool isPictureFileName(const std::string& fileName);

// Renders the session's chart (705 x 489, its filled lines) without showing any window and
// writes it in the format its extension names; a failure is reported on `err`.
bool writeChartPicture(const Session& session, const std::string& fileName, std::ostream& err);

}  // namespace tgsim::cli
