#include "main_menu.h"

#include "driver/commands.h"

namespace tgsim::window {

std::vector<TopMenu> mainMenuLayout() {
    std::vector<TopMenu> menus;
    for (std::string_view top : menuBarOrder()) {
        TopMenu menu;
        menu.caption = QString::fromUtf8(top.data(), static_cast<qsizetype>(top.size()));
        for (const Command& command : kCommands) {
            const QKeySequence shortcut = QKeySequence::fromString(QString::fromLatin1(command.shortcut));
            if (command.placement == Placement::MenuItem && top == command.menu)
                menu.items.push_back({QString::fromUtf8(command.caption), command.handler, shortcut});
            if (command.placement == Placement::MenuBar && top == command.caption) {
                menu.handler = command.handler;
                menu.shortcut = shortcut;
            }
        }
        menus.push_back(std::move(menu));
    }
    return menus;
}

}  // namespace tgsim::window
