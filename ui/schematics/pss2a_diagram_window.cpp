#include "pss2a_diagram_window.h"

#include <QScrollArea>
#include <QScrollBar>

namespace tgsim {

TSchematPSS2A::TSchematPSS2A(QWidget* owner)
    : SchematicWindow(owner, Qt::Window,
                      {"SchematPSS2A", {26, 49}, {}, {745, 445}, Qt::ScrollBarAsNeeded, Qt::ScrollBarAsNeeded},
                      SchematicPicture::Pss2a) {
    scrollArea()->horizontalScrollBar()->setValue(kInitialHorizontalPosition);
}

}  // namespace tgsim
