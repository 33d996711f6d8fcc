#include "u_schemat_siec.h"

namespace tgsim {

TSchematSiec::TSchematSiec(QWidget* owner)
    : SchematicWindow(owner, Qt::Tool,
                      {"SchematSiec", {203, 1}, {589, 571}, {}, Qt::ScrollBarAlwaysOff,
                       Qt::ScrollBarAlwaysOn},
                      SchematicPicture::Network) {}

}  // namespace tgsim
