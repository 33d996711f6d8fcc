#include "ui/metafile/dashed_line.h"

#include <QLineF>

#include <cmath>
#include <numeric>

namespace tgsim::metafile {

QList<QPolygonF> dashedLine(const QPolygonF& line, const std::vector<double>& pattern, double offset) {
    const double period = std::accumulate(pattern.begin(), pattern.end(), 0.0);
    if (line.size() < 2 || pattern.empty() || !(period > 0) || !std::isfinite(period)) return {line};

    std::size_t index = 0;
    double left = pattern[0];  // what remains of the current dash or gap
    for (double skip = std::fmod(std::max(offset, 0.0), period); skip > 0;) {
        const double step = std::min(skip, left);
        skip -= step;
        left -= step;
        if (left <= 0) {
            index = (index + 1) % pattern.size();
            left = pattern[index];
        }
    }

    QList<QPolygonF> dashes;
    QPolygonF current;
    auto drawing = [&] { return index % 2 == 0; };
    if (drawing()) current << line.first();
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QLineF segment(line[i - 1], line[i]);
        const double length = segment.length();
        double at = 0;
        while (length - at >= left) {
            // The dash or gap ends inside this segment or at its end.
            at += left;
            const QPointF point = segment.pointAt(at / length);
            if (drawing()) {
                current << point;
                dashes.append(current);
                current.clear();
            } else {
                current << point;
            }
            index = (index + 1) % pattern.size();
            left = pattern[index];
        }
        left -= length - at;
        if (drawing()) current << line[i];
    }
    if (drawing() && current.size() >= 2) dashes.append(current);
    return dashes;
}

}  // namespace tgsim::metafile
