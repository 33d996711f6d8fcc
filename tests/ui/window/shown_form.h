#pragma once
// The main window shown and active, with failures collected instead of shown in message boxes,
// and the text of a table cell of one of its windows.
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "ui/window/main_window.h"

namespace tgsim::testing {

struct ShownForm {
    std::unique_ptr<window::TForm1> form;
    QStringList reported;

    // In a test's init(): a new window, shown and active.
    bool start() {
        form = std::make_unique<window::TForm1>();
        form->show();
        reported.clear();
        form->setFailureReport([this](const QString& message) { reported << message; });
        return QTest::qWaitForWindowActive(form.get());
    }
};

inline QString cellText(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

}  // namespace tgsim::testing
