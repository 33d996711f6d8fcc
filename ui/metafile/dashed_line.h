#pragma once
// A line cut into the dashes of a pattern, for pens whose pattern no metafile pen can carry.
#include <QList>
#include <QPolygonF>

#include <vector>

namespace tgsim::metafile {

// pattern: alternately dash and gap lengths, in the line's units; offset: how far into the
// pattern the line starts. A pattern without length leaves the line whole.
QList<QPolygonF> dashedLine(const QPolygonF& line, const std::vector<double>& pattern, double offset = 0.0);

}  // namespace tgsim::metafile
