#include "ui/metafile/picture_file.h"

#include <QFile>

namespace tgsim {

void writeFileReplacing(const QString& fileName, const QByteArray& bytes, PendingContents pending) {
    writeOutputFile(QFile::encodeName(fileName).toStdString(),
                    std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), pending);
}

}  // namespace tgsim
