#pragma once
// Writing a finished file in one piece: the bytes go to a temporary file beside the target,
// which then replaces the target, so a failure never leaves a half-written file behind.
#include <QByteArray>
#include <QString>

namespace tgsim {

// Throws tgsim::Failure "Cannot create file <fileName>" when the file cannot be written.
void writeFileReplacing(const QString& fileName, const QByteArray& bytes);

}  // namespace tgsim
