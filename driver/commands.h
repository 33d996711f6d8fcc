#pragma once
// Every command of the main menu by its handler name, so that the window's menus, its buttons
// and the command-line runner reach the same operations of the session.
#include <array>
#include <string_view>

#include "session.h"

namespace tgsim {

struct Command {
    const char* name;
    void (*run)(Session&, SolveObserver*);  // only the computation uses the observer
};

extern const std::array<Command, 27> kCommands;

// The command of that exact name, or nullptr.
const Command* findCommand(std::string_view name);

}  // namespace tgsim
