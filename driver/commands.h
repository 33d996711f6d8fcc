#pragma once
// Every command of the program in one table: its handler name, where it sits (a menu item, a
// command of the menu bar itself, or a button), its caption and shortcut, and what it does to
// the session. The window builds its menu bar from this table and binds its buttons by handler
// name; the command-line runner takes the session's commands as steps and lists them in its
// usage text. A new command is one row.
#include <functional>
#include <string_view>
#include <vector>

#include "session.h"

namespace tgsim {

enum class Placement {
    MenuItem,  // an item of the top-level menu `menu`
    MenuBar,   // a command of the menu bar itself ("Koniec")
    Button,    // reached through a button of the window (its caption is the session's state)
};

struct Command {
    const char* handler;
    Placement placement;
    const char* menu;      // the top-level menu (MenuItem only)
    const char* caption;   // the item's caption (MenuItem, MenuBar)
    const char* shortcut;  // "F1" .. "F10", "Del", "Ctrl+O", "Ctrl+S", or "" for none
    // What the command does to the session (the computation reports to the observer, which may
    // be null). Empty for the window's own commands (schematics, saving, closing), which the
    // window binds by handler name.
    std::function<void(Session&, SolveObserver*)> action;
    // The data set or scenario the command loads, by name ("" for others).
    std::string_view preset;
};

extern const std::vector<Command> kCommands;

// The command of that exact handler name, or nullptr.
const Command* findCommand(std::string_view handler);

// The top-level menus in the order of the menu bar, each named by its caption (a MenuBar
// command is named by its own caption).
std::vector<std::string_view> menuBarOrder();

}  // namespace tgsim
