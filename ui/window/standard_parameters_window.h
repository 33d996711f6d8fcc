#pragma once
// The window "Parametry standardowe" (menu "Generator"): the standard parameters of the machine
// the grids describe, each beside the catalogue value typed in the generator grid and their
// ratio. It does not block the main window and shows the figures of the moment its menu command
// ran; the command reads the grids again each time.
#include <QWidget>

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

    // Reads the session's standard parameters into the table and shows the window, or brings it
    // to the front. A refusal (a cell that is not a number, a formula that faults) hides the
    // window, which would otherwise show the figures of another machine, and raises the Failure.
    void showFor(const Session& session);

private:
    QTableWidget* table_;
    bool sized_ = false;
};

}  // namespace tgsim::window
