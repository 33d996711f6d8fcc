#pragma once
// Pictures of a chart (or of any widget or graphics scene) in the formats offered for saving:
// the two Windows metafile formats, drawn record by record, and Qt's own PNG, SVG and PDF.
#include <QByteArray>
#include <QRectF>
#include <QString>

#include <optional>

class QGraphicsScene;
class QWidget;

namespace tgsim {

enum class PictureFormat { Wmf, Emf, Png, Svg, Pdf };

// The format named by the file's extension (.wmf, .emf, .png, .svg, .pdf, any case).
std::optional<PictureFormat> pictureFormatForFileName(const QString& fileName);

// What the widget shows over its whole rectangle. A graphics view (a chart view) draws its
// scene as seen through the view, also when the view is hidden.
QByteArray renderPicture(QWidget& widget, PictureFormat format);
// The part of the scene inside source, at one pixel per scene unit.
QByteArray renderPicture(QGraphicsScene& scene, const QRectF& source, PictureFormat format);

// Renders and writes the picture; without a format, the extension chooses it. Throws
// tgsim::Failure: "Cannot create file <fileName>" when the file cannot be written (nothing is
// left behind), or a message naming the extension when it names no known format.
void saveChartPicture(QWidget& widget, const QString& fileName, std::optional<PictureFormat> format = std::nullopt);
void saveChartPicture(QGraphicsScene& scene, const QRectF& source, const QString& fileName,
                      std::optional<PictureFormat> format = std::nullopt);

}  // namespace tgsim
