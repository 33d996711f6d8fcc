#pragma once
// A text grid: a named table of text cells with a fixed number of columns and two rows
// (row 0 headers, row 1 values), addressed by (column, row). Grids are the only store of input
// between computations; the window only displays and edits them.
#include <string>
#include <string_view>
#include <vector>

namespace tgsim {

class TextGrid {
public:
    static constexpr int kRows = 2;

    TextGrid(std::string name, int columns);

    const std::string& name() const { return name_; }
    int columnCount() const { return columns_; }

    // Cells outside the grid read as empty and ignore writes, like cells beyond a grid's edge.
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string_view text);
    bool contains(int column, int row) const;

    // Shrinking drops the cut columns' text; growing adds empty columns.
    void setColumnCount(int columns);

    // Counts every change of text or layout, so that a view can tell when to refresh.
    unsigned revision() const { return revision_; }

private:
    std::string name_;
    int columns_;
    std::vector<std::string> cells_;  // row-major: row * columns_ + column
    unsigned revision_ = 0;
};

}  // namespace tgsim
