#include "text_grid_model.h"

#include "data/grid_columns.h"

namespace tgsim::window {
namespace {

// What a header cell's tip says: the whole header (a narrow column cuts it), the column's key and
// meaning, the unit the computation works in and how the cell's number becomes it ("Sn[MVA] —
// Sn: rated apparent power, typed in MVA (VA = cell × 10⁶)").
QString headerTip(const GridColumn& c) {
    QString tip = QString::fromUtf8(c.header).trimmed();
    if (!tip.isEmpty()) tip += QStringLiteral(" — ");
    tip += QString::fromUtf8(c.key) + QStringLiteral(": ") + QString::fromUtf8(c.meaning);
    if (c.readSwitch) return tip;
    if (c.scale.asTyped() && c.unit == std::string_view("-")) return tip;
    tip += QStringLiteral(" (") + QString::fromUtf8(c.unit);
    if (!c.scale.asTyped()) tip += QStringLiteral(" = cell ") + QString::fromUtf8(c.scale.text);
    return tip + QLatin1Char(')');
}

}  // namespace

TextGridModel::TextGridModel(Session& session, GridId grid, QObject* parent)
    : QAbstractTableModel(parent),
      session_(session),
      grid_(grid),
      columns_(this->grid().columnCount()),
      revision_(this->grid().revision()) {}

int TextGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : TextGrid::kRows; }

int TextGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::ToolTipRole && index.row() == 0) {
        const GridColumn* column = columnAt(columnTable(grid_, session_.record().pssOrder), index.column());
        return column ? QVariant(headerTip(*column)) : QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return QString::fromStdString(grid().cell(index.column(), index.row()));
}

bool TextGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || locked_) return false;
    session_.setCell(grid_, index.column(), index.row(), value.toString().toStdString());
    revision_ = grid().revision();
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags TextGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TextGridModel::refresh() {
    if (grid().revision() == revision_) return;
    revision_ = grid().revision();
    if (grid().columnCount() != columns_) {
        beginResetModel();
        columns_ = grid().columnCount();
        endResetModel();
        return;
    }
    if (columns_ > 0) emit dataChanged(index(0, 0), index(TextGrid::kRows - 1, columns_ - 1));
}

}  // namespace tgsim::window
