#include "solve_progress.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProgressBar>

namespace tgsim::window {
namespace {

constexpr qint64 kRepaintInterval = 33;  // ms

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease: return true;
    default: return false;
    }
}

}  // namespace

SolveProgress::SolveProgress(QProgressBar* bar, std::function<void()> statusTextsWritten)
    : bar_(bar), statusTextsWritten_(std::move(statusTextsWritten)) {
    QCoreApplication::instance()->installEventFilter(this);
    sinceShown_.start();
}

SolveProgress::~SolveProgress() {
    QCoreApplication::instance()->removeEventFilter(this);
    // The bar keeps the true last position even when its last repaint was skipped.
    bar_->setValue(position_);
}

bool SolveProgress::eventFilter(QObject*, QEvent* event) {
    if (!isUserInput(event->type())) return false;
    event->accept();  // an accepted shortcut override also keeps menu shortcuts from firing
    return true;
}

void SolveProgress::statusTextsWritten() { statusTextsWritten_(); }

void SolveProgress::setMaximum(int maximum) {
    position_ = 0;
    bar_->setRange(0, maximum > 0 ? maximum : 1);
    bar_->setValue(0);
    bar_->setVisible(true);
}

void SolveProgress::setPosition(int position) {
    position_ = position;
    if (sinceShown_.elapsed() >= kRepaintInterval) showPosition();
}

void SolveProgress::showPosition() {
    bar_->setValue(position_);
    bar_->repaint();
    QCoreApplication::processEvents();
    sinceShown_.restart();
}

}  // namespace tgsim::window
