#include "dq_circuits_window.h"

namespace tgsim {

TSchemat_dq::TSchemat_dq(QWidget* owner)
    : SchematicWindow(owner, Qt::Window,
                      {"Schemat_dq",
                       {208, 117},
                       schematicPictureSize(SchematicPicture::DqCircuits),
                       {},
                       Qt::ScrollBarAlwaysOff,
                       Qt::ScrollBarAlwaysOff},
                      SchematicPicture::DqCircuits) {
    // The window follows its picture's size; there is nothing more to see by resizing it.
    setFixedSize(schematicPictureSize(SchematicPicture::DqCircuits));
}

}  // namespace tgsim
