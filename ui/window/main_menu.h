#pragma once
// The main menu as the command table lays it out: top-level captions in order, each a drop-down
// menu of items or a command itself, with captions, handler names and shortcuts.
#include <QKeySequence>
#include <QString>
#include <vector>

namespace tgsim::window {

struct MenuItem {
    QString caption;
    const char* handler;
    QKeySequence shortcut;
};

// A top-level entry is either a drop-down menu of items or, without items, a command itself.
struct TopMenu {
    QString caption;
    std::vector<MenuItem> items;
    const char* handler = nullptr;
    QKeySequence shortcut;
};

std::vector<TopMenu> mainMenuLayout();

}  // namespace tgsim::window
