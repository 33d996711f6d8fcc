#pragma once
// A piece of text as a metafile draws it: a font record and a text record whose advance array
// carries the character positions that Qt laid out, so that readers place each character where
// Qt did even when they substitute another font.
#include <QPointF>
#include <QString>
#include <QTextItem>
#include <QTransform>

#include <optional>
#include <vector>

#include "ui/metafile/gdi_objects.h"
#include "ui/metafile/logical_mapper.h"

namespace tgsim::metafile {

struct TextRun {
    QString text;
    FontSpec font;
    QPoint origin;                       // start of the baseline, logical units
    std::vector<std::int32_t> advances;  // one per UTF-16 unit, logical units
    QRect deviceBox;                     // device pixels
};

// origin: the start of the baseline in the painter's coordinates.
std::optional<TextRun> textRun(const QPointF& origin, const QTextItem& item, const QTransform& transform,
                               const LogicalMapper& mapper);

// The face name written into the font record: a generic name is replaced by the family that
// fontconfig chose for it, any other name is kept for the reader's own font matching.
QString faceName(const QFont& font);

// Positions of the character boundaries along the baseline, from 0 to the whole width.
std::vector<double> characterEdges(const QString& text, const QFont& font);

}  // namespace tgsim::metafile
