#pragma once
// Writing a finished picture file in one piece, the way every output file is written
// (base/output_file.h): a failure or an interrupt leaves neither a half-written file nor a
// temporary one, and a pipe, a device or a symbolic link named as the output is written through.
#include <QByteArray>
#include <QString>

#include "base/output_file.h"

namespace tgsim {

// Throws tgsim::Failure "Cannot create file <fileName>" with the cause on the next line when
// the file cannot be written.
void writeFileReplacing(const QString& fileName, const QByteArray& bytes,
                        PendingContents pending = PendingContents::UnnamedWherePossible);

}  // namespace tgsim
