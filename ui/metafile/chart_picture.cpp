#include "ui/metafile/chart_picture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QResizeEvent>
#include <QWidget>

#include <functional>

#include "base/failure.h"
#include "base/message_text.h"
#include "ui/metafile/metafile_device.h"
#include "ui/metafile/picture_file.h"

#ifdef TGSIM_HAVE_SVG
#include <QSvgGenerator>
#endif

namespace tgsim {
namespace {

using Paint = std::function<void(QPainter&)>;

constexpr int kPixelsPerInch = 96;

// Every picture starts from a white sheet, so that the picture covers its whole rectangle
// whatever the widget leaves unpainted.
void paintOnWhite(QPainter& painter, QSize size, const Paint& paint) {
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    paint(painter);
}

QByteArray metafile(QSize size, metafile::MetafileFormat format, const Paint& paint) {
    metafile::MetafileDevice device(size, format);
    QPainter painter(&device);
    paintOnWhite(painter, size, paint);
    painter.end();
    return device.data();
}

QByteArray png(QSize size, const Paint& paint) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    paintOnWhite(painter, size, paint);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray svg([[maybe_unused]] QSize size, [[maybe_unused]] const Paint& paint) {
#ifdef TGSIM_HAVE_SVG
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(kPixelsPerInch);
    generator.setTitle("tgsim chart");
    QPainter painter(&generator);
    paintOnWhite(painter, size, paint);
    painter.end();
    return bytes;
#else
    throw Failure("SVG pictures are not available in this build");
#endif
}

QByteArray pdf(QSize size, const Paint& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator("tgsim");
    writer.setResolution(kPixelsPerInch);
    writer.setPageSize(
        QPageSize(QSizeF(size) * 72.0 / kPixelsPerInch, QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    paintOnWhite(painter, size, paint);
    painter.end();
    return bytes;
}

QByteArray render(QSize size, PictureFormat format, const Paint& paint) {
    if (size.isEmpty()) throw Failure("There is no picture to save: the chart has no size");
    switch (format) {
    case PictureFormat::Wmf: return metafile(size, metafile::MetafileFormat::Wmf, paint);
    case PictureFormat::Emf: return metafile(size, metafile::MetafileFormat::Emf, paint);
    case PictureFormat::Png: return png(size, paint);
    case PictureFormat::Svg: return svg(size, paint);
    case PictureFormat::Pdf: return pdf(size, paint);
    }
    return {};
}

// A widget that was never shown has not yet received the resize event that lays it out (a
// chart view sizes its chart there): deliver it now, as showing the widget would.
void deliverPendingResize(QWidget& widget) {
    widget.ensurePolished();
    if (widget.testAttribute(Qt::WA_PendingResizeEvent)) {
        widget.setAttribute(Qt::WA_PendingResizeEvent, false);
        QResizeEvent event(widget.size(), QSize());
        QCoreApplication::sendEvent(&widget, &event);
    }
    for (QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) deliverPendingResize(*child);
}

std::optional<PictureFormat> chosenFormat(const QString& fileName, std::optional<PictureFormat> format) {
    if (format) return format;
    if (const auto named = pictureFormatForFileName(fileName)) return named;
    throw Failure("Cannot tell the picture type of " + quotedForMessage(fileName.toStdString(), kWholeText) +
                  ": use .wmf, .emf, .png, .svg or .pdf");
}

}  // namespace

std::optional<PictureFormat> pictureFormatForFileName(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == "wmf") return PictureFormat::Wmf;
    if (suffix == "emf") return PictureFormat::Emf;
    if (suffix == "png") return PictureFormat::Png;
    if (suffix == "svg") return PictureFormat::Svg;
    if (suffix == "pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

QByteArray renderPicture(QWidget& widget, PictureFormat format) {
    deliverPendingResize(widget);
    // Layouts asked for by the resize (a chart's axes and plot area) are settled before drawing.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (auto* view = qobject_cast<QGraphicsView*>(&widget)) {
        // What the view shows is its viewport; a chart view has neither frame nor scroll bars,
        // so that is the whole widget.
        const QSize size = view->viewport()->size();
        return render(size, format, [view, size](QPainter& painter) {
            view->render(&painter, QRectF(QPointF(0, 0), QSizeF(size)), QRect(QPoint(0, 0), size),
                         Qt::IgnoreAspectRatio);
        });
    }
    return render(widget.size(), format, [&widget](QPainter& painter) { widget.render(&painter); });
}

QByteArray renderPicture(QGraphicsScene& scene, const QRectF& source, PictureFormat format) {
    const QSize size = source.size().toSize();
    return render(size, format, [&scene, source, size](QPainter& painter) {
        scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)), source, Qt::IgnoreAspectRatio);
    });
}

void saveChartPicture(QWidget& widget, const QString& fileName, std::optional<PictureFormat> format) {
    // The picture is made whole before the file is touched.
    const QByteArray bytes = renderPicture(widget, *chosenFormat(fileName, format));
    writeFileReplacing(fileName, bytes);
}

void saveChartPicture(QGraphicsScene& scene, const QRectF& source, const QString& fileName,
                      std::optional<PictureFormat> format) {
    const QByteArray bytes = renderPicture(scene, source, *chosenFormat(fileName, format));
    writeFileReplacing(fileName, bytes);
}

}  // namespace tgsim
