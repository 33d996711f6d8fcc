// schematic_screenshots OUTPUT_DIR
// Opens the three schematic windows as the menu does and saves what each shows (its client
// area, as first opened) as a PNG file.
#include "schematic_windows.h"
#include "dq_circuits_window.h"
#include "pss2a_diagram_window.h"
#include "network_map_window.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: schematic_screenshots OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    tgsim::SchematicWindows windows;
    windows.Poka1Click();
    windows.PokazDQcircuits();
    windows.SchematStabilizatorClick();
    QApplication::processEvents();

    const std::pair<QWidget*, const char*> shots[] = {
        {windows.SchematSiec(), "schemat_siec.png"},
        {windows.Schemat_dq(), "schemat_dq.png"},
        {windows.SchematPSS2A(), "schemat_pss2a.png"},
    };
    int status = 0;
    for (const auto& [window, file] : shots) {
        const QString path = out.filePath(QString::fromLatin1(file));
        if (!window->grab().save(path)) {
            std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
            status = 1;
        }
    }
    return status;
}
