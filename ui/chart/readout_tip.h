#pragma once
// The small tip beside the cursor that shows the readout: the time, then a row per quantity with
// its caption and its value in the current computation and in each kept run, the value of the
// line nearest the cursor in bold. Numbers with a decimal comma, as in the cells.
#include <QLabel>

#include "readout.h"

namespace tgsim::chart {

// The tip's text (rich text). `keptRuns`: how many kept runs the chart draws (0: one column of
// values without a heading).
QString readoutText(const Readout& readout, int keptRuns);

class ReadoutTip : public QLabel {
public:
    explicit ReadoutTip(QWidget* owner);
    // Shows the text with its top left corner a little below and right of the cursor (left of
    // it where the tip would leave the owner's screen).
    void showAt(const QString& text, QPoint globalCursor);
};

}  // namespace tgsim::chart
