#pragma once
// Reading a case file's text (TOML, by toml++). The whole file is read and checked before
// anything is applied: a syntax error, a duplicate key, an unknown table or key, a value of the
// wrong type or a newer format refuses the file with its name, line and column and the key's name.
#include <cstdint>
#include <string>
#include <string_view>

#include "case_contents.h"

namespace tgsim {

// A case file holds at most this much (a case of every grid takes some 8 KiB).
inline constexpr std::size_t kMostCaseBytes = 1 << 20;

// The case in `text`, read from the file `fileName` (for the messages). `pssOrder` is the
// stabilizer kind in the session's `Siatka_PSS`, whose keys a case without a stabilizer kind
// gives. Throws Failure with every problem found (up to ten), one per line, in file order.
CaseContents readCase(std::string_view text, const std::string& fileName, std::uint8_t pssOrder);

}  // namespace tgsim
