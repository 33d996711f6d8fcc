#include "rich_text.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace tgsim::tools {
namespace {

enum class Level { Base, Sub, Super };

struct Run {
    QString text;
    Level level;
};

std::vector<Run> parse(const QString& markup) {
    std::vector<Run> runs;
    QString base;
    auto flushBase = [&] {
        if (!base.isEmpty()) runs.push_back({base, Level::Base});
        base.clear();
    };
    for (qsizetype i = 0; i < markup.size(); ++i) {
        const QChar c = markup[i];
        if ((c == u'_' || c == u'^') && i + 1 < markup.size()) {
            flushBase();
            const Level level = c == u'_' ? Level::Sub : Level::Super;
            if (markup[i + 1] == u'{') {
                const qsizetype close = markup.indexOf(u'}', i + 2);
                const qsizetype end = close < 0 ? markup.size() : close;
                runs.push_back({markup.mid(i + 2, end - i - 2), level});
                i = end;
            } else {
                runs.push_back({QString(markup[i + 1]), level});
                ++i;
            }
        } else {
            base += c;
        }
    }
    flushBase();
    return runs;
}

QFont smallerFont(const QFont& font) {
    QFont small = font;
    if (font.pixelSize() > 0)
        small.setPixelSize(std::max(7, static_cast<int>(font.pixelSize() * 0.72 + 0.5)));
    else
        small.setPointSizeF(font.pointSizeF() * 0.72);
    return small;
}

// Baseline shift of a run against the base baseline (positive is downwards).
qreal shift(Level level, const QFontMetricsF& base) {
    switch (level) {
    case Level::Sub: return base.ascent() * 0.30;
    case Level::Super: return -base.ascent() * 0.42;
    case Level::Base: break;
    }
    return 0;
}

struct Layout {
    qreal width = 0;
    qreal above = 0;  // extent above the baseline
    qreal below = 0;  // extent below the baseline
};

Layout measure(const QFont& font, const std::vector<Run>& runs) {
    const QFontMetricsF base(font);
    const QFontMetricsF small(smallerFont(font));
    Layout layout{0, base.ascent(), base.descent()};
    for (const Run& run : runs) {
        const QFontMetricsF& metrics = run.level == Level::Base ? base : small;
        layout.width += metrics.horizontalAdvance(run.text);
        const qreal dy = shift(run.level, base);
        layout.above = std::max(layout.above, metrics.ascent() - dy);
        layout.below = std::max(layout.below, metrics.descent() + dy);
    }
    return layout;
}

}  // namespace

QSizeF richTextSize(const QFont& font, const QString& markup) {
    const Layout layout = measure(font, parse(markup));
    return {layout.width, layout.above + layout.below};
}

QRectF drawRichText(QPainter& painter, const QPointF& anchor, const QString& markup, Qt::Alignment alignment) {
    const QFont font = painter.font();
    const std::vector<Run> runs = parse(markup);
    const Layout layout = measure(font, runs);
    const qreal height = layout.above + layout.below;

    qreal left = anchor.x() - layout.width / 2;
    if (alignment & Qt::AlignLeft) left = anchor.x();
    if (alignment & Qt::AlignRight) left = anchor.x() - layout.width;
    qreal top = anchor.y() - height / 2;
    if (alignment & Qt::AlignTop) top = anchor.y();
    if (alignment & Qt::AlignBottom) top = anchor.y() - height;

    const QFontMetricsF base(font);
    const QFont small = smallerFont(font);
    const QFontMetricsF smallMetrics(small);
    const qreal baseline = top + layout.above;
    qreal x = left;
    for (const Run& run : runs) {
        const bool isBase = run.level == Level::Base;
        painter.setFont(isBase ? font : small);
        painter.drawText(QPointF(x, baseline + shift(run.level, base)), run.text);
        x += (isBase ? base : smallMetrics).horizontalAdvance(run.text);
    }
    painter.setFont(font);
    return {left, top, layout.width, height};
}

}  // namespace tgsim::tools
