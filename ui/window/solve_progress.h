#pragma once
// What the window does while a computation runs: ProgressBar1 follows the integration, repainted
// at most about thirty times a second, and the status texts show as soon as they are written.
// Window events keep being processed so that the screen stays current, but user input is
// swallowed for the whole run, so no other command can start.
#include <QElapsedTimer>
#include <QObject>
#include <functional>

#include "driver/session.h"

class QProgressBar;

namespace tgsim::window {

class SolveProgress : public QObject, public SolveObserver {
public:
    SolveProgress(QProgressBar* bar, std::function<void()> statusTextsWritten);
    ~SolveProgress() override;

    void statusTextsWritten() override;
    void setMaximum(int maximum) override;
    void setPosition(int position) override;

    int position() const { return position_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPosition();

    QProgressBar* bar_;
    std::function<void()> statusTextsWritten_;
    QElapsedTimer sinceShown_;
    int position_ = 0;
};

}  // namespace tgsim::window
