#pragma once
// The main window driven as a user drives it: the window, shown and active, its components by
// name, the chart's lines against the session's rows, and message boxes closed and read.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QValueAxis>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "core/model/parameter_record.h"
#include "base/cell_number.h"
#include "driver/chart_quantities.h"
#include "driver/commands.h"
#include "ui/chart/result_chart.h"
#include "ui/window/main_window.h"

namespace tgsim::testing {

// Closes the next message box as soon as it opens and keeps what it said.
struct MessageBoxWatch {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer timer;

    MessageBoxWatch() {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            text = box->text();
            icon = box->icon();
            timer.stop();
            box->accept();
        });
        timer.start();
    }
};

class MainWindowDriving {
protected:
    std::unique_ptr<window::TForm1> form;

    template <class T = QWidget>
    T* component(const char* name) {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        if (!found) qFatal("no component %s", name);
        return found;
    }
    bool shown(const char* name) { return !component(name)->isHidden(); }
    QString panel(int index) { return form->statusPanel(index)->text(); }
    qsizetype points(int k) { return form->Chart1()->series(k)->count(); }
    bool drawn(int k) { return points(k) > 0; }

    // Line k stands for the session's rows over the time range shown: an ordered selection of
    // their points (as drawn: within +-1e300), a few per pixel column, with the same lowest and
    // highest value. Beyond a plot's width or height outside the plot the line runs along that
    // border, on its way to rows far outside.
    void checkLineFollowsRows(int k) {
        using chart::shownValue;
        const QLineSeries* line = form->Chart1()->series(k);
        const ChartRows rows = form->session().chartRows();
        const chart::PlotWindow window = form->Chart1()->plotWindow();
        QVERIFY(line->count() <= 4 * (qsizetype(window.width) + 3));
        const double dx = window.xHigh - window.xLow, dy = window.yHigh - window.yLow;
        const auto onBorder = [&](const QPointF& p) {
            return p.x() == window.xLow - dx || p.x() == window.xHigh + dx || p.y() == window.yLow - dy ||
                   p.y() == window.yHigh + dy;
        };
        // Every pixel column touching the rows two pixels or more inside the plot's edges lies
        // within one pixel of them, and keeps its lowest and highest point.
        const double pixel = dx / window.width;
        const auto within = [&](double x, double pixels) {
            return x >= window.xLow + pixels * pixel && x <= window.xHigh - pixels * pixel;
        };
        double rowsLow = qInf(), rowsHigh = -qInf(), lineLow = qInf(), lineHigh = -qInf();
        std::size_t rowsShown = 0, pointsShown = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            rowsShown += within(rows.time(i), 0);
            if (!within(rows.time(i), 2)) continue;
            const double y = std::clamp(shownValue(rows.value(k, i)), window.yLow - dy, window.yHigh + dy);
            rowsLow = std::min(rowsLow, y);
            rowsHigh = std::max(rowsHigh, y);
        }
        std::size_t row = 0;
        for (const QPointF& point : line->points()) {
            pointsShown += within(point.x(), 0);
            if (within(point.x(), 1)) {
                lineLow = std::min(lineLow, point.y());
                lineHigh = std::max(lineHigh, point.y());
            }
            if (onBorder(point)) continue;
            while (row < rows.size() && !(rows.time(row) == point.x() && shownValue(rows.value(k, row)) == point.y()))
                ++row;
            QVERIFY2(row < rows.size(), qPrintable(QStringLiteral("(%1, %2) is no row").arg(point.x()).arg(point.y())));
        }
        QVERIFY(lineLow <= rowsLow && lineHigh >= rowsHigh);
        // At least a point in every pixel column that holds a row (chosen for this range).
        QVERIFY(pointsShown >= std::min(rowsShown, std::size_t(window.width) - 1));
        QVERIFY(line->at(0).x() <= window.xLow && line->at(line->count() - 1).x() >= window.xHigh);
    }
    void pressF10() { QTest::keyClick(form.get(), Qt::Key_F10); }
};

}  // namespace tgsim::testing
