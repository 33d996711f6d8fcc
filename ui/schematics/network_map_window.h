#pragma once
// The network map window: a tool window over the top of the map, scrolled vertically down to
// the legend.
#include "schematic_window.h"

namespace tgsim {

class TSchematSiec : public SchematicWindow {
    Q_OBJECT
public:
    explicit TSchematSiec(QWidget* owner = nullptr);
};

}  // namespace tgsim
