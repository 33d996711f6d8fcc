#pragma once
// A computation's integration run off the window's thread: the job integrates on a thread of its
// own while the window's thread handles events in a loop of its own, so the window repaints,
// its menus open and "Przerwij" answers. The progress bar follows the job, set about thirty
// times a second. stop() makes the job end at its next step (it throws ComputationStopped from
// the progress report, which the job keeps for the session).
#include <QObject>
#include <atomic>

#include "driver/session.h"

class QProgressBar;

namespace tgsim::window {

class ComputationRun : public QObject {
public:
    explicit ComputationRun(QProgressBar* bar);

    // Runs the job to its end (or its stop) and returns then. Should the window's event loops
    // be told to end meanwhile (the program quits), the job is stopped and waited for.
    void execute(SolveJob& job);
    void stop() { progress_.stopRequested.store(true, std::memory_order_relaxed); }
    // Whether the window's loops were told to end while the job ran (the program quits).
    bool endedFromOutside() const { return endedFromOutside_; }

private:
    // Reported to from the computing thread: two relaxed atomics per step, no lock, no call
    // into the window.
    struct ThreadProgress : Progress {
        std::atomic<int> maximum{0};
        std::atomic<int> position{0};
        std::atomic<bool> stopRequested{false};
        void setMaximum(int value) override { maximum.store(value, std::memory_order_relaxed); }
        void setPosition(int value) override {
            position.store(value, std::memory_order_relaxed);
            if (stopRequested.load(std::memory_order_relaxed)) throw ComputationStopped("stopped");
        }
    };
    void showPosition();

    QProgressBar* bar_;
    ThreadProgress progress_;
    bool endedFromOutside_ = false;
};

}  // namespace tgsim::window
