#include "computation_run.h"

#include <QEventLoop>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <memory>

namespace tgsim::window {
namespace {

constexpr int kRepaintInterval = 33;  // ms

}  // namespace

ComputationRun::ComputationRun(QProgressBar* bar) : bar_(bar) {}

void ComputationRun::execute(SolveJob& job) {
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([this, &job] { job.run(&progress_); }));
    // Queued to this thread: a job that ends before the loop runs still ends it.
    connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QTimer repaint;
    repaint.setInterval(kRepaintInterval);
    connect(&repaint, &QTimer::timeout, this, [this] { showPosition(); });
    bar_->setValue(bar_->minimum());
    thread->start();
    repaint.start();
    loop.exec();
    if (!thread->isFinished()) {
        // The loop was ended from outside (the program quits): the job stops at its next step.
        endedFromOutside_ = true;
        stop();
        thread->wait();
    }
    repaint.stop();
    showPosition();
}

void ComputationRun::showPosition() {
    const int maximum = progress_.maximum.load(std::memory_order_relaxed);
    if (maximum <= 0) return;
    if (bar_->maximum() != maximum) bar_->setRange(0, maximum);
    bar_->setValue(progress_.position.load(std::memory_order_relaxed));
    bar_->setVisible(true);
}

}  // namespace tgsim::window
