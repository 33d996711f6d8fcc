// The look is a proxy style, so the bar keeps its own layout, keyboard handling and popups;
// only the size and the contents of its items change. The check mark belongs to the look, not
// to a state: the bar never tells a style whether an item is checked, and checkable top-level
// actions would lose their mark when triggered ("Koniec" is a command itself).
#include "menu_bar_style.h"

#include <QApplication>
#include <QHash>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

#include <algorithm>
#include <utility>

#include "menu_bar_pictures.h"

namespace tgsim::window {
namespace {

// Pixel layout of one item: padding, mark, gap, picture, gap, caption, padding; the items
// follow each other without further spacing. Kept tight so that the whole bar still fits the
// window's 800 pixels with every caption shown: ten items (Liberation Sans, 11 pixels) take
// 788 of them.
constexpr int kPadding = 2;
constexpr int kMarkSize = 5;
constexpr int kGapAfterMark = 1;
constexpr int kGapAfterPicture = 2;
constexpr int kVerticalPadding = 5;

class MenuBarStyle final : public QProxyStyle {
public:
    MenuBarStyle(QStyle* base, QString defaultCaption)
        : QProxyStyle(base), defaultCaption_(std::move(defaultCaption)) {}

    void setDefaultCaption(const QString& caption) { defaultCaption_ = caption; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_MenuBarItemSpacing) return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        const auto* item = barItem(type == CT_MenuBarItem, option);
        if (!item) return QProxyStyle::sizeFromContents(type, option, size, widget);
        const QFontMetrics metrics(captionFont(*item, widget));
        const int height = std::max({metrics.height(), kMenuBarPictureSize, kMarkSize});
        return {contentWidth(*item, widget) + 2 * kPadding, height + kVerticalPadding};
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = barItem(element == CE_MenuBarItem, option);
        if (!item) return QProxyStyle::drawControl(element, option, painter, widget);
        // The base style paints the item's background and highlight; with no text and no
        // icon it paints nothing over them.
        QStyleOptionMenuItem background = *item;
        background.text.clear();
        background.icon = QIcon();
        QProxyStyle::drawControl(element, &background, painter, widget);
        drawContents(*item, painter, widget);
    }

private:
    static const QStyleOptionMenuItem* barItem(bool isBarItem, const QStyleOption* option) {
        const auto* item = isBarItem ? qstyleoption_cast<const QStyleOptionMenuItem*>(option) : nullptr;
        return item && !item->text.isEmpty() ? item : nullptr;
    }

    QFont captionFont(const QStyleOptionMenuItem& item, const QWidget* widget) const {
        QFont font = widget ? widget->font() : QApplication::font();
        if (item.text == defaultCaption_) font.setBold(true);
        return font;
    }

    const QIcon& picture(const QString& caption) const {
        auto found = pictures_.find(caption);
        if (found == pictures_.end()) found = pictures_.insert(caption, menuBarPicture(caption));
        return *found;
    }

    int contentWidth(const QStyleOptionMenuItem& item, const QWidget* widget) const {
        const QFontMetrics metrics(captionFont(item, widget));
        int width = kMarkSize + kGapAfterMark + metrics.size(Qt::TextShowMnemonic, item.text).width();
        if (!picture(item.text).isNull()) width += kMenuBarPictureSize + kGapAfterPicture;
        return width;
    }

    void drawContents(const QStyleOptionMenuItem& item, QPainter* painter, const QWidget* widget) const {
        const bool enabled = item.state & State_Enabled;
        const bool open = (item.state & State_Selected) && (item.state & State_Sunken);
        const QPalette::ColorRole textRole = open && enabled ? QPalette::HighlightedText : QPalette::ButtonText;
        // Fusion marks only an open item; an item reached by the arrow keys or the mouse gets
        // a thin frame, so keyboard navigation stays visible.
        if ((item.state & State_Selected) && !open) {
            painter->save();
            painter->setPen(item.palette.color(QPalette::Highlight));
            painter->drawRect(item.rect.adjusted(0, 0, -1, -2));
            painter->restore();
        }
        const QRect area = item.rect.adjusted(0, 1, 0, -3);
        int x = item.rect.x() + (item.rect.width() - contentWidth(item, widget)) / 2;

        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(item.palette.color(enabled ? QPalette::Normal : QPalette::Disabled, textRole), 1.6,
                             Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const qreal top = area.center().y() - kMarkSize / 2.0 + 0.5;
        QPainterPath mark(QPointF(x + 0.5, top + kMarkSize * 0.55));
        mark.lineTo(x + kMarkSize * 0.38, top + kMarkSize * 0.9);
        mark.lineTo(x + kMarkSize - 0.5, top + kMarkSize * 0.1);
        painter->drawPath(mark);
        painter->restore();
        x += kMarkSize + kGapAfterMark;

        const QIcon& icon = picture(item.text);
        if (!icon.isNull()) {
            const QRect place(x, area.center().y() - kMenuBarPictureSize / 2 + 1, kMenuBarPictureSize,
                              kMenuBarPictureSize);
            icon.paint(painter, place, Qt::AlignCenter, enabled ? QIcon::Normal : QIcon::Disabled);
            x += kMenuBarPictureSize + kGapAfterPicture;
        }

        int alignment = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine;
        if (!proxy()->styleHint(SH_UnderlineShortcut, &item, widget)) alignment |= Qt::TextHideMnemonic;
        painter->save();
        painter->setFont(captionFont(item, widget));
        proxy()->drawItemText(painter, QRect(x, area.y(), item.rect.right() - x, area.height()), alignment,
                              item.palette, enabled, item.text, textRole);
        painter->restore();
    }

    QString defaultCaption_;
    mutable QHash<QString, QIcon> pictures_;
};

}  // namespace

void applyMenuBarLook(QMenuBar* bar, const QString& defaultCaption) {
    if (auto* look = dynamic_cast<MenuBarStyle*>(bar->style())) {
        look->setDefaultCaption(defaultCaption);
    } else {
        // A fresh instance of the bar's style: the proxy owns its base, and the application's
        // style must stay with the application.
        look = new MenuBarStyle(QStyleFactory::create(bar->style()->name()), defaultCaption);
        look->setParent(bar);
        bar->setStyle(look);
    }
    // The bar measures its items again on a style change, also when only the default changed.
    QEvent styleChange(QEvent::StyleChange);
    QApplication::sendEvent(bar, &styleChange);
    bar->updateGeometry();
    bar->update();
}

}  // namespace tgsim::window
