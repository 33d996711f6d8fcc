#include "standard_parameters_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

#include "base/cell_number.h"
#include "base/failure.h"
#include "driver/kept_run.h"
#include "driver/session.h"

namespace tgsim::window {
namespace {

enum Column { kName, kValue, kUnit, kCatalogue, kRatio, kColumnCount };

// A ratio to the catalogue further from 1 than this is marked.
constexpr double kMarkedDeviation = 0.10;
const QColor kMarkedColour(255, 214, 153);

const QString kWhereExplained = QStringLiteral(
    "\nSkąd te różnice: docs/model.md, „From catalogue data to circuit data” i „What the "
    "conversions reproduce”.");

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

// Why a parameter of the circuits differs from the typed one, as the conversions explain it.
QString whyItDiffers(std::string_view name, RotorModel model) {
    if (name == "Xd'" || name == "Td0'" || name == "Td0''") {
        if (model == RotorModel::Canaya)
            return QStringLiteral(
                "Przeliczenie Canay'a odtwarza Xd' dokładnie tylko przy Xc = 0, a Td0' i Td0'' w przybliżeniu; "
                "najbardziej odbiegają dane, w których podprzejściowa stała zwarciowa Td0''·Xd''/Xd' jest bliska "
                "przejściowej Td0'·Xd'/Xd. Dokładnie zgadzają się Xd, Xd'' i iloczyn Td0'·Td0''.");
        return QStringLiteral(
            "Przeliczenie klasyczne przypisuje Td0' samemu uzwojeniu wzbudzenia, choć obwód tłumiący D dzieli "
            "jego strumień: obwody dają dłuższe Td0', krótsze Td0'' i mniejsze Xd' niż katalog. Dokładnie "
            "zgadzają się Xd, Xd'' i iloczyn Td0'·Td0''.");
    }
    if (name == "Xq'" || name == "Tq0'" || name == "Tq0''")
        return QStringLiteral(
            "Oś q przelicza się w obu modelach klasycznie: Tq0' przypisana jest samemu obwodowi Q1, więc obwody "
            "dają mniejsze Xq', dłuższe Tq0' i krótsze Tq0'' niż katalog. Dokładnie zgadzają się Xq, Xq'' i "
            "iloczyn Tq0'·Tq0''.");
    if (name == "SCR")
        return QStringLiteral(
            "Katalog: stosunek wpisanych prądów wzbudzenia Iwo/Iwz. Model nie ma nasycenia: SCR obwodów wynika "
            "z Xd, a prądy zmierzone na maszynie nasyconej mu nie odpowiadają.");
    if (name == "Efn")
        return QStringLiteral(
            "Katalog: stosunek prądów wzbudzenia Iwn/Iwo (znamionowy do jałowego). Efn obwodów wynika z Xd, Xq "
            "i R bez nasycenia.");
    return QStringLiteral(
        "Obwody odtwarzają tę wartość dokładnie, jeśli dane da się przeliczyć; różnica wskazuje na dane "
        "sprzeczne (np. Xd'' nie mniejsze od Xd').");
}

// What the table describes: the set, the model and whether the grid still holds the set's text.
QString machineHeading(const Session& session) {
    QString heading = QStringLiteral("Zestaw spoza menu");
    if (const GeneratorSet* set = session.generatorSet()) {
        const std::ptrdiff_t number = set - kGeneratorSets.data();
        heading = QStringLiteral("Zestaw G%1 (%2)")
                      .arg(number + 1)
                      .arg(QString::fromStdString(captionAsName(set->menuCaption)));
    }
    heading += session.record().model == RotorModel::Canaya ? QStringLiteral(" · model Canay'a")
                                                            : QStringLiteral(" · model Klasyczny");
    heading += session.generatorCellsEdited() ? QStringLiteral(" · komórki siatki zmienione")
                                              : QStringLiteral(" · bez zmian w siatce");
    return heading;
}

}  // namespace

StandardParametersWindow::StandardParametersWindow(QWidget* owner)
    : QWidget(owner, Qt::Window),
      heading_(new QLabel(this)),
      table_(new QTableWidget(kStandardParameterCount, kColumnCount, this)) {
    setObjectName(QStringLiteral("ParametryStandardowe"));
    setWindowTitle(QStringLiteral("Parametry standardowe"));
    heading_->setObjectName(QStringLiteral("OpisMaszyny"));
    heading_->setWordWrap(true);
    heading_->setContentsMargins(4, 2, 4, 2);
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
    box->setSpacing(0);
    box->addWidget(heading_);
    box->addWidget(table_);
}

void StandardParametersWindow::showFor(const Session& session) {
    try {
        fill(session);
    } catch (const Failure&) {
        hide();
        throw;
    }
    if (!sized_) {
        // The whole table at first; afterwards the size the user gave the window stays.
        int width = 2 * table_->frameWidth(), height = width + table_->horizontalHeader()->sizeHint().height();
        for (int column = 0; column < kColumnCount; ++column) width += table_->columnWidth(column);
        for (int row = 0; row < kStandardParameterCount; ++row) height += table_->rowHeight(row);
        resize(width, height + heading_->sizeHint().height());
        sized_ = true;
    }
    show();
    raise();
    activateWindow();
}

void StandardParametersWindow::follow(const Session& session) {
    try {
        fill(session);
    } catch (const Failure& failure) {
        // Half-typed cells refuse too: the window says so and waits for the next edit.
        table_->clearContents();
        heading_->setText(QStringLiteral("Brak parametrów: ") + QString::fromUtf8(failure.what()));
    }
}

void StandardParametersWindow::fill(const Session& session) {
    const StandardParameters parameters = session.standardParameters();
    const RotorModel model = session.record().model;
    for (int row = 0; row < kStandardParameterCount; ++row) {
        const StandardParameter& p = parameters[static_cast<std::size_t>(row)];
        table_->setItem(row, kName, cellItem(text(p.name), Qt::AlignLeft));
        table_->setItem(row, kValue, cellItem(numberText(p.value), Qt::AlignRight));
        table_->setItem(row, kUnit, cellItem(text(p.unit), Qt::AlignLeft));
        table_->setItem(row, kCatalogue, cellItem(numberText(p.catalogue), Qt::AlignRight));
        table_->setItem(row, kRatio, cellItem(numberText(p.ratio), Qt::AlignRight));
        if (!p.ratio || !(std::fabs(*p.ratio - 1.0) > kMarkedDeviation)) continue;
        const QString why =
            QStringLiteral("Różni się od katalogu o ponad 10 %. ") + whyItDiffers(p.name, model) + kWhereExplained;
        for (int column = 0; column < kColumnCount; ++column) table_->item(row, column)->setToolTip(why);
        table_->item(row, kRatio)->setBackground(kMarkedColour);
    }
    heading_->setText(machineHeading(session));
    table_->setCurrentItem(nullptr);  // no cell marked as if the user had picked it
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
}

}  // namespace tgsim::window
