// Saves what the X server shows of the main window's menu bar in its own look, with the first
// menu open below it (so the open item and the bold default item both show). Run under a real or virtual X server:
//   xvfb-run -a -s "-screen 0 1280x1024x24" BUILD/tools/window_screenshot/tgsim_menu_bar_screenshot docs/menu_bar.png
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QtTest>
#include <iostream>

#include "ui/window/menu_bar_style.h"
#include "ui/window/main_window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: tgsim_menu_bar_screenshot OUT.png\n";
        return 2;
    }
    tgsim::window::TForm1 form;
    QMenuBar* bar = form.menuBar();
    form.show();
    form.activateWindow();  // no window manager under Xvfb: nothing activates it otherwise
    if (!QTest::qWaitForWindowActive(&form)) {
        std::cerr << "the window did not become active\n";
        return 1;
    }
    QMenu* menu = bar->actions().isEmpty() ? nullptr : bar->actions().first()->menu();
    if (!menu) {
        std::cerr << "the menu bar does not start with a menu\n";
        return 1;
    }
    bar->setActiveAction(menu->menuAction());
    QTest::qWait(500);
    const QRect barArea(bar->mapToGlobal(QPoint(0, 0)), bar->size());
    const QRect area = barArea.united(menu->isVisible() ? menu->geometry() : QRect()).adjusted(0, 0, 0, 6);
    const QPixmap shot = form.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    if (!shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::cerr << "cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
