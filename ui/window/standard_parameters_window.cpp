#include "standard_parameters_window.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>

#include "base/cell_number.h"
#include "base/failure.h"
#include "driver/session.h"

namespace tgsim::window {
namespace {

enum Column { kName, kValue, kUnit, kCatalogue, kRatio, kColumnCount };

// Four significant digits, with the decimal comma of the grid cells; empty where there is none.
QString numberText(const std::optional<double>& value) {
    return value ? QString::fromStdString(formatGeneral(*value, 4)) : QString();
}

QString text(std::string_view view) { return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size())); }

QTableWidgetItem* cellItem(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

}  // namespace

StandardParametersWindow::StandardParametersWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), table_(new QTableWidget(kStandardParameterCount, kColumnCount, this)) {
    setObjectName(QStringLiteral("ParametryStandardowe"));
    setWindowTitle(QStringLiteral("Parametry standardowe"));
    table_->setObjectName(QStringLiteral("TabelaParametrow"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Parametr"), QStringLiteral("Wartość"),
                                       QStringLiteral("Jednostka"), QStringLiteral("Katalog"),
                                       QStringLiteral("Wartość / katalog")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setToolTip(QStringLiteral("Maszyna na własnych zaciskach, bez transformatora"));
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(table_);
}

void StandardParametersWindow::showFor(const Session& session) {
    StandardParameters parameters;
    try {
        parameters = session.standardParameters();
    } catch (const Failure&) {
        hide();
        throw;
    }
    for (int row = 0; row < kStandardParameterCount; ++row) {
        const StandardParameter& p = parameters[static_cast<std::size_t>(row)];
        table_->setItem(row, kName, cellItem(text(p.name), Qt::AlignLeft));
        table_->setItem(row, kValue, cellItem(numberText(p.value), Qt::AlignRight));
        table_->setItem(row, kUnit, cellItem(text(p.unit), Qt::AlignLeft));
        table_->setItem(row, kCatalogue, cellItem(numberText(p.catalogue), Qt::AlignRight));
        table_->setItem(row, kRatio, cellItem(numberText(p.ratio), Qt::AlignRight));
    }
    table_->setCurrentItem(nullptr);  // no cell marked as if the user had picked it
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    if (!sized_) {
        // The whole table at first; afterwards the size the user gave the window stays.
        int width = 2 * table_->frameWidth(), height = width + table_->horizontalHeader()->sizeHint().height();
        for (int column = 0; column < kColumnCount; ++column) width += table_->columnWidth(column);
        for (int row = 0; row < kStandardParameterCount; ++row) height += table_->rowHeight(row);
        resize(width, height);
        sized_ = true;
    }
    show();
    raise();
    activateWindow();
}

}  // namespace tgsim::window
