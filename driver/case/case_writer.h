#pragma once
// A case as the text of its file: TOML, UTF-8, written for people to read and diff. Each cell is
// one line `KEY = "TEXT"` with the grid's header, the unit and the column's meaning as a comment.
#include <string>

#include "case_contents.h"

namespace tgsim {

// The file's text. Throws Failure naming the cell (or field) when a text cannot be kept in a case
// file: text that is not valid UTF-8 (the runner takes cell edits byte for byte).
std::string caseText(const CaseContents& contents);

// A TOML string holding `text` exactly, or Failure as above, `what` naming where it is.
std::string tomlString(const std::string& text, const std::string& what);

}  // namespace tgsim
