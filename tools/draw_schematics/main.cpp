// draw_schematics OUTPUT_DIR
// Paints the network map, the d-q equivalent circuits and the PSS2A block diagram and writes
// them into OUTPUT_DIR as baseline JPEG files of their exact pixel sizes.
#include "jpeg_writer.h"
#include "pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Painting text needs a font database, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_schematics OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists()) {
        std::fprintf(stderr, "Output folder %s does not exist\n", argv[1]);
        return 1;
    }
    using namespace tgsim::tools;
    struct Picture {
        const char* file;
        QImage image;
    };
    const Picture pictures[] = {
        {"schemat_siec.jpg", drawNetworkMap()},
        {"schemat_dq.jpg", drawDqCircuits()},
        {"schemat_pss2a.jpg", drawPss2aDiagram()},
    };
    int status = 0;
    for (const Picture& picture : pictures) {
        const QString path = out.filePath(QString::fromLatin1(picture.file));
        const QString failure = writeBaselineJpeg(picture.image, path, 92);
        if (!failure.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(failure));
            status = 1;
        }
    }
    return status;
}
