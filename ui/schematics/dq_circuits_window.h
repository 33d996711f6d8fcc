#pragma once
// The window of the d-q equivalent circuits: exactly the size of its picture, no scroll bars.
#include "schematic_window.h"

namespace tgsim {

class TSchemat_dq : public SchematicWindow {
    Q_OBJECT
public:
    explicit TSchemat_dq(QWidget* owner = nullptr);
};

}  // namespace tgsim
