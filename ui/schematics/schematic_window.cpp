#include "schematic_window.h"

#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace tgsim {

SchematicWindow::SchematicWindow(QWidget* owner, Qt::WindowFlags flags, const Layout& layout, SchematicPicture picture)
    : QWidget(owner, flags | Qt::Window),
      scroll_(new QScrollArea(this)),
      image_(new QLabel),
      pictureSize_(schematicPictureSize(picture)),
      outerSize_(layout.outerSize) {
    setObjectName(QString::fromLatin1(layout.name));
    setWindowTitle(QString::fromLatin1(layout.name));

    // The background around and behind the picture has the menu colour.
    QPalette background = palette();
    background.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    setPalette(background);
    setAutoFillBackground(true);

    image_->setObjectName(QStringLiteral("Image1"));
    image_->setAlignment(Qt::AlignCenter);
    image_->setFixedSize(pictureSize_);
    image_->setWordWrap(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setHorizontalScrollBarPolicy(layout.horizontal);
    scroll_->setVerticalScrollBarPolicy(layout.vertical);
    scroll_->setWidget(image_);
    scroll_->viewport()->setBackgroundRole(QPalette::Window);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(scroll_);

    // The client area is the visible picture area; a scroll bar that is always there comes on top.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
    QSize size = layout.clientSize;
    if (layout.vertical == Qt::ScrollBarAlwaysOn) size.rwidth() += bar;
    if (layout.horizontal == Qt::ScrollBarAlwaysOn) size.rheight() += bar;
    resize(outerSize_.isValid() ? outerSize_ : size);
    move(layout.outerPosition);

    setPicture(loadSchematicPicture(picture));
}

void SchematicWindow::setPicture(const DecodedJpeg& decoded) {
    pictureError_ = decoded.error;
    if (decoded.ok()) {
        image_->setPixmap(QPixmap::fromImage(decoded.image));
    } else {
        image_->setPixmap(QPixmap());
        image_->setText(decoded.error);
    }
}

void SchematicWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The frame's thickness is known only once the window system has framed the window; then
    // the client area shrinks so that the frame keeps the outer size.
    if (!outerSize_.isValid() || outerSizeFitted_) return;
    const QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty()) return;
    resize(outerSize_ - frame);
    outerSizeFitted_ = true;
}

void SchematicWindow::showAndRaise() {
    show();
    raise();
    activateWindow();
}

}  // namespace tgsim
