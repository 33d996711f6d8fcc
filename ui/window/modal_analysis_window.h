#pragma once
// The window "Analiza modalna" (menu "Obliczenia"): the modes of the present initial state in
// the complex plane and in a table sorted by damping ratio, the electromechanical mode marked,
// and the ringdown figures of each quantity ticked on the chart of the last computation. It does
// not block the main window; it shows the figures of the moment its command ran, and computes
// them again when its command runs again or its button "Przelicz" is pressed.
#include <QWidget>

class QLabel;
class QTableWidget;

namespace tgsim {
class Session;
}

namespace tgsim::window {

class ModalPlaneChart;

class ModalAnalysisWindow : public QWidget {
    Q_OBJECT
public:
    // With an owner (the main window) it stays in front of it and goes with it.
    explicit ModalAnalysisWindow(QWidget* owner = nullptr);

    ModalPlaneChart* plane() const { return plane_; }
    QTableWidget* modeTable() const { return modes_; }
    QTableWidget* ringdownTable() const { return ringdowns_; }
    QLabel* summary() const { return summary_; }
    // The row of the mode table that holds the electromechanical mode; -1 when there is none.
    int electromechanicalRow() const { return electromechanicalRow_; }

    // Analyses the session's initial state, reads the ringdowns of its last computation and
    // shows the window, or brings it to the front. A refused analysis leaves no mode in the
    // plane or the table (the window says why) and raises the Failure; the ringdowns, which
    // belong to the computation, still show. A ringdown a window refuses shows its message in
    // its row.
    void showFor(const Session& session);

signals:
    // The button "Przelicz": the owner runs the window's command again.
    void recomputeRequested();

private:
    void fillModes(const Session& session);
    void fillRingdowns(const Session& session);
    void present();

    QLabel* summary_;
    ModalPlaneChart* plane_;
    QTableWidget* modes_;
    QLabel* ringdownCaption_;
    QTableWidget* ringdowns_;
    int electromechanicalRow_ = -1;
    bool sized_ = false;
};

}  // namespace tgsim::window
