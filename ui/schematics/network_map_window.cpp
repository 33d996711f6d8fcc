#include "network_map_window.h"

namespace tgsim {

TSchematSiec::TSchematSiec(QWidget* owner)
    : SchematicWindow(owner, Qt::Tool,
                      {"SchematSiec", {203, 1}, {589, 571}, {}, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOn},
                      SchematicPicture::Network) {}

}  // namespace tgsim
