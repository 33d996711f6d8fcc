#pragma once
// Labels with subscripts and superscripts, as circuit and block-diagram symbols need them.
// Markup: "L_{σmf}" sets σmf as a subscript, "(1+sT_{9})^{M·N}" sets M·N as a superscript;
// a single character may go without braces ("R_f"). Everything else is literal text.
#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>

class QPainter;

namespace tgsim::tools {

// Size of the label's box: full advance width, base-font ascent plus descent, extended by
// the raised and lowered parts.
QSizeF richTextSize(const QFont& font, const QString& markup);

// Draws the label with its box aligned to `anchor` by `alignment` (left/right/centre
// horizontally, top/bottom/centre vertically), in the painter's current font and pen.
// Returns the box it used.
QRectF drawRichText(QPainter& painter, const QPointF& anchor, const QString& markup,
                    Qt::Alignment alignment = Qt::AlignCenter);

}  // namespace tgsim::tools
