#pragma once
// The window of the PSS2A block diagram: narrower than the diagram, scrolled horizontally and
// opened a little way in from the left edge.
#include "schematic_window.h"

namespace tgsim {

class TSchematPSS2A : public SchematicWindow {
    Q_OBJECT
public:
    explicit TSchematPSS2A(QWidget* owner = nullptr);

    static constexpr int kInitialHorizontalPosition = 22;
};

}  // namespace tgsim
