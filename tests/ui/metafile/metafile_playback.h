#pragma once
// An independent reading of the metafiles the tests write: the file structure field by field,
// and a playback of the records that matter (objects, lines, text, clipping) that reports every
// inconsistency it meets instead of guessing.
#include <QByteArray>
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace tgsim::testing {

struct Record {
    std::size_t offset = 0;
    std::uint32_t size = 0;  // bytes
    std::uint32_t type = 0;  // WMF function number or EMF record type
};

struct WmfStructure {
    std::uint32_t key = 0;
    std::uint16_t handle = 0;
    QRect destination;  // left, top, right, bottom as stored (right/bottom exclusive)
    std::uint16_t inch = 0;
    std::uint16_t checksum = 0;
    std::uint16_t computedChecksum = 0;
    std::uint16_t fileType = 0, headerWords = 0, version = 0;
    std::uint32_t sizeWords = 0;
    std::uint16_t objects = 0;
    std::uint32_t largestRecordWords = 0;
    std::vector<Record> records;
    QStringList errors;
};

struct EmfStructure {
    QRect bounds;  // inclusive, device pixels
    QRect frame;   // hundredths of a millimetre
    std::uint32_t signature = 0, version = 0, bytes = 0, recordCount = 0;
    std::uint16_t handles = 0;
    QPoint device, millimetres;
    std::vector<Record> records;
    QStringList errors;
};

WmfStructure readWmf(const QByteArray& file);
EmfStructure readEmf(const QByteArray& file);

struct Pen {
    std::uint32_t style = 0;  // PS_* bits as written
    int width = 0;            // logical units
    QColor color;
};

struct Stroke {
    Pen pen;
    std::size_t points = 0;
    std::optional<QRect> clip;  // logical units, right/bottom exclusive
};

struct Text {
    QString text;
    QPoint origin;
    std::vector<int> advances;
    int fontHeight = 0;
    int escapement = 0;
    QString face;
    QColor color;
};

struct Playback {
    std::vector<Stroke> strokes;
    std::vector<Text> texts;
    std::vector<QColor> fills;  // brush colours of filled shapes, in drawing order
    std::size_t images = 0;
    std::uint32_t highestObject = 0;  // largest object index used
    QStringList errors;
};

Playback playWmf(const QByteArray& file);
Playback playEmf(const QByteArray& file);

}  // namespace tgsim::testing
