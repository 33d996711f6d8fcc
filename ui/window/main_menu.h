#pragma once
// The main menu: top-level captions, item captions, shortcuts and the handler each item runs.
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
