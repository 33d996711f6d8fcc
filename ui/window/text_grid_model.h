#pragma once
// A table model over one of the session's text grids: row 0 the headers, row 1 the values, every
// cell editable. Edits go through the session; refresh() picks up changes the session made.
#include <QAbstractTableModel>

#include "driver/session.h"

namespace tgsim::window {

class TextGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TextGridModel(Session& session, GridId grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Shows the grid's current text when it changed since the last look.
    void refresh();
    const TextGrid& grid() const { return session_.grids().byId(grid_); }
    GridId gridId() const { return grid_; }
    // A locked model takes no edit (setData refuses).
    void setLocked(bool locked) { locked_ = locked; }
    bool locked() const { return locked_; }

private:
    Session& session_;
    GridId grid_;
    int columns_;
    unsigned revision_;
    bool locked_ = false;
};

}  // namespace tgsim::window
