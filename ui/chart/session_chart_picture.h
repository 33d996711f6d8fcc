#pragma once
// The session's chart as the window draws it (its size, its filled lines), rendered without
// showing any window and saved as a picture.
#include <QString>

namespace tgsim {
class Session;
}

namespace tgsim::chart {

// The format is chosen by the file's extension (.wmf, .emf, .png, .svg, .pdf). Needs a
// QApplication. Throws tgsim::Failure when the name has no known extension or the file cannot
// be written.
void saveSessionChart(const Session& session, const QString& fileName);

}  // namespace tgsim::chart
