#include "schematic_pictures.h"

#include <QFile>

// The resource initialiser of a static library is not pulled in by the linker on its own.
static void registerSchematicResources() { Q_INIT_RESOURCE(schematics); }

namespace tgsim {

QString schematicPicturePath(SchematicPicture picture) {
    switch (picture) {
    case SchematicPicture::Network: return QStringLiteral(":/schematics/schemat_siec.jpg");
    case SchematicPicture::DqCircuits: return QStringLiteral(":/schematics/schemat_dq.jpg");
    case SchematicPicture::Pss2a: return QStringLiteral(":/schematics/schemat_pss2a.jpg");
    }
    return {};
}

QSize schematicPictureSize(SchematicPicture picture) {
    switch (picture) {
    case SchematicPicture::Network: return {589, 800};
    case SchematicPicture::DqCircuits: return {333, 333};
    case SchematicPicture::Pss2a: return {1200, 400};
    }
    return {};
}

DecodedJpeg loadSchematicPicture(SchematicPicture picture) {
    static const bool registered = (registerSchematicResources(), true);
    (void)registered;
    const QString path = schematicPicturePath(picture);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QImage(), QStringLiteral("Cannot read picture %1: %2").arg(path, file.errorString())};
    DecodedJpeg decoded = decodeJpeg(file.readAll());
    if (!decoded.ok()) decoded.error = QStringLiteral("%1: %2").arg(path, decoded.error);
    return decoded;
}

}  // namespace tgsim
