#include "text_grid.h"

#include <utility>

namespace tgsim {

namespace {
const std::string kEmpty;
}

TextGrid::TextGrid(std::string name, int columns)
    : name_(std::move(name)), columns_(columns), cells_(static_cast<std::size_t>(kRows * columns)) {}

bool TextGrid::contains(int column, int row) const {
    return column >= 0 && column < columns_ && row >= 0 && row < kRows;
}

const std::string& TextGrid::cell(int column, int row) const {
    if (!contains(column, row)) return kEmpty;
    return cells_[static_cast<std::size_t>(row * columns_ + column)];
}

void TextGrid::setCell(int column, int row, std::string_view text) {
    if (!contains(column, row)) return;
    cells_[static_cast<std::size_t>(row * columns_ + column)] = std::string(text);
    ++revision_;
}

void TextGrid::setColumnCount(int columns) {
    if (columns < 0) columns = 0;
    std::vector<std::string> resized(static_cast<std::size_t>(kRows * columns));
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < columns && column < columns_; ++column)
            resized[static_cast<std::size_t>(row * columns + column)] =
                std::move(cells_[static_cast<std::size_t>(row * columns_ + column)]);
    cells_ = std::move(resized);
    columns_ = columns;
    ++revision_;
}

}  // namespace tgsim
