#pragma once
// The three explanatory pictures, embedded in the program as JPEG files and decoded with our
// own libjpeg decoder when a window is built.
#include "jpeg_decoder.h"

#include <QSize>
#include <QString>

namespace tgsim {

enum class SchematicPicture { Network, DqCircuits, Pss2a };

// Resource path of the embedded JPEG file, e.g. ":/schematics/schemat_siec.jpg".
QString schematicPicturePath(SchematicPicture picture);

// The pixel size each picture is drawn at; windows lay themselves out by it even when the
// picture cannot be shown.
QSize schematicPictureSize(SchematicPicture picture);

// Reads and decodes the embedded picture; a failure carries a message naming the picture.
DecodedJpeg loadSchematicPicture(SchematicPicture picture);

}  // namespace tgsim
