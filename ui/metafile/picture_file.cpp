#include "ui/metafile/picture_file.h"

#include <QSaveFile>

#include "core/failure.h"

namespace tgsim {

void writeFileReplacing(const QString& fileName, const QByteArray& bytes) {
    const Failure cannotCreate(("Cannot create file " + fileName).toStdString());
    if (fileName.isEmpty()) throw cannotCreate;
    QSaveFile file(fileName);
    // Where no temporary file can be made beside the target, writing in place could leave a
    // broken file: refuse instead.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) throw cannotCreate;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        throw cannotCreate;
    }
    if (!file.commit()) throw cannotCreate;
}

}  // namespace tgsim
