#pragma once
// Running the program's commands on a session in tests, by handler name as the menus do.
#include <stdexcept>
#include <string>
#include <string_view>

#include "driver/commands.h"

namespace tgsim::testing {

inline void command(Session& session, std::string_view handler) {
    const Command* found = findCommand(handler);
    if (!found || !found->action) throw std::invalid_argument("no session command " + std::string(handler));
    found->action(session, nullptr);
}

}  // namespace tgsim::testing
