#include "analysis_window_parts.h"

#include <QHeaderView>

#include "base/cell_number.h"
#include "core/analysis/modal_analysis.h"
#include "data/cell_failure.h"
#include "driver/stability_figures.h"

namespace tgsim::window {

QTableWidgetItem* figureItem(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

QTableWidget* figureTable(QWidget* parent, const char* name, const QStringList& headers) {
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void fitFigureColumns(QTableWidget* t) {
    t->setCurrentItem(nullptr);
    t->resizeColumnsToContents();
    t->resizeRowsToContents();
}

QString refusalText(const std::exception& failure) {
    const QString whatToDo = QStringLiteral(
        " Wybierz „Praca w sieci” i „zadany stan Ustalony”, albo „warunki Końcowe = Dane Aktualne” po "
        "ustalonym przebiegu.");
    const auto number = [](double value) { return QString::fromStdString(formatGeneral(value, 3)); };
    if (const auto* moving = dynamic_cast<const StateNotAtRest*>(&failure))
        return QStringLiteral(
                   "Stan początkowy (war_pocz) nie jest stanem ustalonym: %1 zmienia się o %2 swojej "
                   "skali na sekundę (analiza dopuszcza %3).")
                   .arg(QString::fromStdString(elementCaption(moving->element())), number(moving->relativeDrift()),
                        number(kRestTolerance)) +
               whatToDo;
    if (const auto* limit = dynamic_cast<const FiringAngleAtLimit*>(&failure))
        return QStringLiteral("Kąt załączenia beta = %1 rad leży na granicy zakresu, gdzie układ nie ma pochodnej.")
                   .arg(number(limit->beta())) +
               whatToDo;
    return QString::fromUtf8(failure.what());
}

void rethrowInWindowWords(const std::exception& failure) {
    if (const auto* cell = dynamic_cast<const CellFailure*>(&failure)) throw CellFailure(*cell);
    throw Failure(refusalText(failure).toStdString());
}

void presentAnalysisWindow(QWidget* window, bool& sized, QSize firstSize) {
    if (!sized) {
        window->resize(firstSize);
        sized = true;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace tgsim::window
