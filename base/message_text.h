#pragma once
// User text quoted inside a message (a cell's text, a file name): whatever the user typed must
// neither break the message's lines nor turn it into unreadable bytes.
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace tgsim {

inline constexpr std::size_t kQuotedCharacters = 200;
inline constexpr std::size_t kWholeText = std::numeric_limits<std::size_t>::max();

// The text as it can be shown: valid UTF-8 (Polish letters too) unchanged; tab, line feed and
// carriage return as \t, \n, \r; other control characters and every byte that is not valid
// UTF-8 as \xHH; C1 controls, line and paragraph separators and the bidirectional overrides as
// \uHHHH. After maxCharacters characters of the text the rest is left off and "…" follows.
std::string quotedForMessage(std::string_view text, std::size_t maxCharacters = kQuotedCharacters);

}  // namespace tgsim
