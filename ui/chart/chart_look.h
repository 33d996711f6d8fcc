#pragma once
// How the result chart draws its lines: the pens of the current computation's seventeen series,
// the pens of the kept runs' lines, the font of the legend and the readout, and the locale of
// the axis labels.
#include <QFont>
#include <QLocale>
#include <QPen>

namespace tgsim::chart {

// The colours of the lines: those the chart has always had (several quantities share a grey),
// or a colour of its own for every quantity, safe for the common kinds of colour blindness.
enum class LineColours { Standard, Distinct };

// The pen of series k (0..17) of the current computation.
QPen livePen(int k, LineColours colours = LineColours::Standard);
// Whether series k draws a line at all ("iQ2" is filled but draws none).
bool drawsLine(int k);
// The pen of quantity k of kept run `run` (1..4): the live colour, lighter, in a dash pattern of
// that run's own, so that kept runs stand apart from the live line and from each other.
QPen keptPen(int k, int run, LineColours colours = LineColours::Standard);
// The nearest line under the readout is drawn this much wider.
QPen emphasised(QPen pen);

// The face of the legend and of the readout: the window's small sans-serif face.
QFont smallFont();
// Numbers on the axes are written as in the cells, with a decimal comma.
QLocale chartLocale();

}  // namespace tgsim::chart
