#pragma once
// An editable grid on the main window: a table without header sections whose first row holds
// the headers as ordinary cells, with fixed pixel column widths and a background colour.
#include <QColor>
#include <QTableView>
#include <utility>
#include <vector>

#include "text_grid_model.h"

namespace tgsim::window {

struct GridLook {
    QColor background;
    int columnWidth = 64;
    std::vector<std::pair<int, int>> wideColumns;  // (column, width) exceptions
    int rowHeight = 24;
    bool scrollBars = true;
};

class TextGridView : public QTableView {
    Q_OBJECT
public:
    TextGridView(Session& session, TextGrid& grid, const GridLook& look, QWidget* parent);

    TextGridModel& gridModel() { return model_; }
    // Shows the session's text, visibility and size of the grid.
    void syncFromSession();

signals:
    // A mouse click into the grid (after the click has moved the current cell).
    void gridClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void applyColumnWidths();
    void fitRowHeight();

    TextGridModel model_;
    GridLook look_;
    int shownColumns_ = -1;
};

}  // namespace tgsim::window
