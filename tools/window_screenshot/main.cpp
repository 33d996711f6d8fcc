// Shows the main window, presses F10 and saves what the X server shows of the window.
// Run under a real or virtual X server: window_screenshot OUT.png [data|standard|modal|compare|tuning]
// With "data" the picture shows the data view that the button Wykr_DaneAkt switches to; with
// "standard" it shows the window "Parametry standardowe" alone (menu "Generator"); with "modal"
// the window "Analiza modalna" alone (menu "Obliczenia") for set 1 on the network at the given
// steady state with "PSS 2A - D.O." on, after a run that starts 0,1 % fast, "w" and "P" ticked;
// with "compare" the PSS test without and with the stabilizer PSS 2A - D.O. on one chart, alfa
// and the active power ticked, the legend on and the readout under the mouse at 10,7 s; with
// "tuning" the window "Strojenie PSS" alone with the proposal ("Dobierz nastawy…") for set 4 on the
// network at the given steady state with "PSS 2A - D.O." switched on.
#include <QApplication>
#include <QAction>
#include <QByteArray>
#include <QCheckBox>
#include <QScreen>
#include <QtTest>
#include <QWidget>
#include <iostream>

#include "ui/window/modal_analysis_window.h"
#include "ui/window/pss_tuning_window.h"
#include "ui/chart/result_chart.h"
#include "ui/window/standard_parameters_window.h"
#include "ui/window/main_window.h"

namespace {

// The same steps as the README's runner example:
//   tgsim-cli PSS2A_1Click TestPSS1Click Stale_PSS O1Click ZachowajPrzebiegClick Stale_PSS O1Click
//             --untick 13 --untick 15 --tick 9 --legend --picture compare.png
void showComparison(tgsim::window::TForm1& form) {
    for (const char* handler :
         {"PSS2A_1Click", "TestPSS1Click", "Stale_PSS", "O1Click", "ZachowajPrzebiegClick", "Stale_PSS", "O1Click"})
        form.runHandler(handler);
    for (int k : {13, 15, 9}) form.seriesBox(k)->click();
    form.action(QStringLiteral("LegendaClick"))->trigger();
    tgsim::chart::ResultChart* chart = form.Chart1();
    const tgsim::chart::PlotWindow plot = chart->plotWindow();
    const QRectF area = chart->chart()->plotArea();
    const QPoint pointer(static_cast<int>(plot.left + (10.7 - plot.xLow) / (plot.xHigh - plot.xLow) * plot.width),
                         static_cast<int>(area.top() + 0.3 * area.height()));
    QTest::mouseMove(chart->viewport(), pointer);
    chart->showReadoutAt(pointer);  // no window manager: the move alone may not reach the chart
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: tgsim_window_screenshot OUT.png [data|standard|modal|compare|tuning]\n";
        return 2;
    }
    tgsim::window::TForm1 form;
    form.show();
    form.activateWindow();  // no window manager under Xvfb: nothing activates it otherwise
    if (!QTest::qWaitForWindowActive(&form)) {
        std::cerr << "the window did not become active\n";
        return 1;
    }
    const QByteArray view = argc == 3 ? QByteArray(argv[2]) : QByteArray();
    tgsim::Session& session = form.session();
    if (view == "modal") {
        for (const char* handler : {"Pracawsieci1Click", "PSS2A_1Click", "Stale_PSS", "Warunkizadane1Click"})
            form.runHandler(handler);
        session.setCell(tgsim::GridId::war_pocz, 6, 1, "1,001");
    }
    if (view == "compare")
        showComparison(form);
    else if (view != "tuning")
        QTest::keyClick(&form, Qt::Key_F10);
    if (view == "data") form.runHandler("Przelacz_DaneAkt_Wykres");
    QWidget* shown = &form;
    if (view == "modal") {
        session.setCell(tgsim::GridId::war_pocz, 6, 1, "1");       // the steady state again
        for (int box : {7, 13, 15}) form.seriesBox(box)->click();  // w ticked; of the run's three, P stays
        form.runHandler("AnalizaModalnaClick");
        shown = form.findChild<tgsim::window::ModalAnalysisWindow*>();
    }
    if (view == "tuning") {
        for (const char* handler : {"G4Click", "Pracawsieci1Click", "PSS2A_1Click", "Stale_PSS", "Warunkizadane1Click"})
            form.runHandler(handler);
        form.action(QStringLiteral("DobierzPSSClick"))->trigger();  // the menu item: the window asks first
        shown = form.findChild<tgsim::window::PssTuningWindow*>();
    }
    if (view == "standard") {
        form.runHandler("ParametryStandardoweClick");
        shown = form.findChild<tgsim::window::StandardParametersWindow*>();
    }
    QTest::qWait(500);
    const QRect area = shown->frameGeometry();
    const QPixmap shot = form.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    if (!shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::cerr << "cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
