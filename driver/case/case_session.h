#pragma once
// Case files on a session: the case as the session stands, opening one into it, saving it.
#include <string>
#include <string_view>

#include "case_contents.h"

namespace tgsim {

class Session;

// The session's case: its switches and names, every used column's text of the five grids (the
// given steady state's grid only once it holds anything), and the headers that differ from the
// program's.
CaseContents captureCase(const Session& session);

// Puts a case that was read whole in place: its switches, then for each grid it has a table for
// the program's headers with its header edits, then its cells. Everything it omits stays as it is;
// nothing is computed.
void openCase(Session& session, const CaseContents& contents);

// Reads the case in `text` (from the file `fileName`, for the messages) and opens it. A file that
// is refused changes nothing (case_reader.h).
void openCaseText(Session& session, std::string_view text, const std::string& fileName);
// The same for the file itself; a file that cannot be read is refused the same way.
void openCaseFile(Session& session, const std::string& fileName);

// Writes the session's case to the file as every output is written (base/output_file.h).
void saveCaseFile(const Session& session, const std::string& fileName);

}  // namespace tgsim
