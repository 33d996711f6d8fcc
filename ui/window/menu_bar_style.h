#pragma once
// The main menu bar's own look: every top-level item shows a check mark, its picture (where it
// has one) and its caption; the bar's default item has a bold caption.
#include <QString>

class QMenuBar;

namespace tgsim::window {

// Gives the bar the look through a proxy of its current style, owned by the bar. Calling it
// again only changes which caption is the default one.
void applyMenuBarLook(QMenuBar* bar, const QString& defaultCaption);

}  // namespace tgsim::window
