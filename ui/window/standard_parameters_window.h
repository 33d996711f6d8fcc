#pragma once
// The window "Parametry standardowe" (menu "Generator"): the standard parameters of the machine
// the grids describe, each beside the catalogue value typed in the generator grid and their
// ratio (marked, with a tip that says why, beyond 10 %), under a heading that names the set, the
// rotor model and whether cells were edited. It does not block the main window and, while open,
// follows every change of the grids, the set and the model.
#include <QWidget>

class QLabel;
class QTableWidget;

namespace tgsim {
class Session;
}

namespace tgsim::window {

class StandardParametersWindow : public QWidget {
    Q_OBJECT
public:
    // With an owner (the main window) it stays in front of it and goes with it.
    explicit StandardParametersWindow(QWidget* owner = nullptr);

    QTableWidget* table() const { return table_; }
    // What the table describes: the generator set, the rotor model, whether the grid was edited.
    QLabel* heading() const { return heading_; }

    // Reads the session's standard parameters into the table and shows the window, or brings it
    // to the front. A refusal (a cell that is not a number, a formula that faults) hides the
    // window, which would otherwise show the figures of another machine, and raises the Failure.
    void showFor(const Session& session);
    // Reads them again after a change of the grids, the set or the model; a refusal empties the
    // table and says why in the heading.
    void follow(const Session& session);

private:
    void fill(const Session& session);

    QLabel* heading_;
    QTableWidget* table_;
    bool sized_ = false;
};

}  // namespace tgsim::window
