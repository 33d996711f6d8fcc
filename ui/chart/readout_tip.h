#pragma once
// The small tip beside the cursor that shows the readout: the time, then a row per quantity with
// a piece of its line, its caption and its value in the current computation and in each kept run, the value of the
// line nearest the cursor in bold. Numbers with a decimal comma, as in the cells. The tip paints
// its few texts itself: it follows every mouse move, and a rich-text label would lay out a
// document each time.
#include <QPen>
#include <QWidget>
#include <vector>

#include "chart_look.h"
#include "readout.h"

namespace tgsim::chart {

struct ReadoutTable {
    QString time;                            // "t = 1,25 s"
    std::vector<QString> heading;            // "", "bieżący", "1", ... (none without kept runs)
    std::vector<std::vector<QString>> rows;  // the caption, then the value of each run ("–": none)
    std::vector<QPen> rowPens;               // each row's line as the current computation draws it
    int boldRow = -1, boldColumn = -1;       // the nearest line's value
};

// The table of the readout. `keptRuns`: how many kept runs the chart draws; `colours`: the
// chart's colours, for the pieces of line beside the captions.
void fillReadoutTable(const Readout& readout, int keptRuns, LineColours colours, ReadoutTable& table);

class ReadoutTip : public QWidget {
public:
    explicit ReadoutTip(QWidget* owner);

    // Shows the table with its top left corner a little below and right of the cursor (left of
    // or above it where the tip would leave the screen).
    void showAt(QPoint globalCursor);
    ReadoutTable& table() { return table_; }
    const ReadoutTable& table() const { return table_; }
    // The texts, a line per row and a tab between cells.
    QString text() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Column widths and the tip's size for the table.
    QSize layOut();

    ReadoutTable table_;
    std::vector<int> columnWidths_;
};

}  // namespace tgsim::chart
