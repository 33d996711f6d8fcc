#include "text_grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>
#include <cstdlib>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace tgsim::window {
namespace {

constexpr const char* kTextBeforeEdit = "textBeforeEdit";
constexpr int kEdgeGrip = 3;  // pixels either side of a column's edge that start a resize
constexpr int kNarrowestColumn = 8;
constexpr QAbstractItemView::EditTriggers kEditTriggers =
    QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
    QAbstractItemView::AnyKeyPressed;

// Writes a cell's text into the grid as it is typed, so that a command started while a cell is
// being edited reads what the user sees. The editor remembers the text it started from, for Esc.
class LiveEditDelegate : public QStyledItemDelegate {
public:
    LiveEditDelegate(TextGridView* view) : QStyledItemDelegate(view), view_(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        emit view_->editStarted();
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->setProperty(kTextBeforeEdit, index.data(Qt::EditRole));
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            auto* self = const_cast<LiveEditDelegate*>(this);
            connect(line, &QLineEdit::textEdited, self, [self, line] { emit self->commitData(line); });
        }
        return editor;
    }

    // The editor already shows what it just wrote; setting it again would move the cursor.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (line && line->text() == index.data(Qt::EditRole).toString()) return;
        QStyledItemDelegate::setEditorData(editor, index);
    }

private:
    TextGridView* view_;
};

bool isPlainDelete(const QKeyEvent* key) {
    return key->key() == Qt::Key_Delete && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

TextGridView::TextGridView(Session& session, GridId grid, const GridLook& look, QWidget* parent)
    : QTableView(parent), model_(session, grid, this), look_(look) {
    setObjectName(QString::fromStdString(model_.grid().name()));
    setModel(&model_);
    setItemDelegate(new LiveEditDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(look.rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setEditTriggers(kEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    if (!look.scrollBars) {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    QPalette colours = palette();
    colours.setColor(QPalette::Base, look.background);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
    // A click on a grid belongs to the grid, never to the window's free area behind it.
    setAttribute(Qt::WA_NoMousePropagation);
    applyColumnWidths();
    if (look.resizableColumns) viewport()->setMouseTracking(true);  // the resize cursor over an edge
}

void TextGridView::showCell(int column, int row) {
    const QModelIndex cell = model_.index(row, column);
    if (!cell.isValid()) return;
    setCurrentIndex(cell);
    selectionModel()->select(cell, QItemSelectionModel::ClearAndSelect);
    scrollTo(cell);
    setFocus();
}

void TextGridView::setLocked(bool locked) {
    if (locked && state() == EditingState) {
        QWidget* editor = QApplication::focusWidget();
        if (editor && viewport()->isAncestorOf(editor)) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
    model_.setLocked(locked);
    setEditTriggers(locked ? QAbstractItemView::NoEditTriggers : kEditTriggers);
}

// Del is the shortcut of "Koniec" everywhere but here: in a grid it clears the selected cells
// (an open cell editor takes it for its text by itself).
bool TextGridView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && isPlainDelete(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void TextGridView::keyPressEvent(QKeyEvent* event) {
    if (isPlainDelete(event)) {
        if (!model_.locked()) emit clearRequested();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TextGridView::applyColumnWidths() {
    shownColumns_ = model_.columnCount();
    horizontalHeader()->setDefaultSectionSize(look_.columnWidth);
    for (int column = 0; column < shownColumns_; ++column) setColumnWidth(column, look_.columnWidth);
    for (const auto& [column, width] : look_.wideColumns)
        if (column < shownColumns_) setColumnWidth(column, width);
}

// Both rows stay in full view: the row height is cut down when the grid's height leaves less.
void TextGridView::fitRowHeight() {
    const int frame = 2 * frameWidth();
    int columnsWidth = 0;
    for (int column = 0; column < shownColumns_; ++column) columnsWidth += columnWidth(column);
    const bool scrollBar = look_.scrollBars && columnsWidth > width() - frame;
    const int room =
        height() - frame - (scrollBar ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) : 0);
    const int rowHeight = std::clamp(room / TextGrid::kRows, 1, look_.rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int row = 0; row < TextGrid::kRows; ++row) setRowHeight(row, rowHeight);
}

QSize TextGridView::lookSize() const {
    for (const auto& [columns, size] : look_.sizeByColumns)
        if (columns == model_.columnCount()) return size;
    return look_.size;
}

void TextGridView::syncFromSession(const Session& session) {
    model_.refresh();
    const bool newColumns = model_.columnCount() != shownColumns_;
    if (newColumns) applyColumnWidths();
    if (newColumns || size() != lookSize()) {
        resize(lookSize());
        fitRowHeight();
    }
    setVisible(session.view().visible(model_.gridId()));
}

void TextGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Esc leaves the cell as it was before the edit, although the typed text already reached it.
    const QModelIndex cell = currentIndex();
    const QVariant before = editor->property(kTextBeforeEdit);
    QTableView::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::RevertModelCache && before.isValid() && cell.isValid())
        model_.setData(cell, before, Qt::EditRole);
    emit editFinished();
}

int TextGridView::columnEdgeAt(QPoint pos) const {
    if (!look_.resizableColumns || rowAt(pos.y()) != 0) return -1;
    for (int column = 0; column < shownColumns_; ++column) {
        const int edge = columnViewportPosition(column) + columnWidth(column);
        if (std::abs(pos.x() - edge) <= kEdgeGrip) return column;
    }
    return -1;
}

void TextGridView::mousePressEvent(QMouseEvent* event) {
    const int column = event->button() == Qt::LeftButton ? columnEdgeAt(event->position().toPoint()) : -1;
    if (column < 0) {
        QTableView::mousePressEvent(event);
        return;
    }
    resizedColumn_ = column;
    dragStartX_ = event->position().toPoint().x();
    dragStartWidth_ = columnWidth(column);
    event->accept();
}

void TextGridView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (resizedColumn_ >= 0) {
        setColumnWidth(resizedColumn_, std::max(kNarrowestColumn, dragStartWidth_ + pos.x() - dragStartX_));
        event->accept();
        return;
    }
    if (look_.resizableColumns) {
        if (columnEdgeAt(pos) >= 0)
            viewport()->setCursor(Qt::SplitHCursor);
        else
            viewport()->unsetCursor();
    }
    QTableView::mouseMoveEvent(event);
}

void TextGridView::mouseReleaseEvent(QMouseEvent* event) {
    if (resizedColumn_ >= 0) {
        resizedColumn_ = -1;
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) emit gridClicked();
}

}  // namespace tgsim::window
