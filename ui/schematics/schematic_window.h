#pragma once
// What the three schematic windows share: one picture component `Image1` at the top-left of
// the client area inside a scroll area, shown again unchanged (picture and scroll position)
// after the window was closed, because closing only hides it.
#include "schematic_pictures.h"

#include <QWidget>

class QLabel;
class QScrollArea;

namespace tgsim {

class SchematicWindow : public QWidget {
    Q_OBJECT
public:
    QLabel* Image1() const { return image_; }
    QScrollArea* scrollArea() const { return scroll_; }

    // Empty while the picture is shown; otherwise why it is not (the window shows this text).
    const QString& pictureError() const { return pictureError_; }

    // Shows the decoded picture, or the failure's message in its place.
    void setPicture(const DecodedJpeg& decoded);

    // Shows the window if hidden and brings it to the front either way.
    void showAndRaise();

protected:
    struct Layout {
        const char* name;      // object name and caption
        QPoint outerPosition;  // top-left of the frame on the desktop
        QSize clientSize;      // visible picture area, scroll bars not counted
        QSize outerSize;       // when valid: the frame's size, which wins over clientSize
        Qt::ScrollBarPolicy horizontal;
        Qt::ScrollBarPolicy vertical;
    };

    SchematicWindow(QWidget* owner, Qt::WindowFlags flags, const Layout& layout, SchematicPicture picture);

    void showEvent(QShowEvent* event) override;

private:
    QScrollArea* scroll_;
    QLabel* image_;
    QSize pictureSize_;
    QSize outerSize_;
    bool outerSizeFitted_ = false;
    QString pictureError_;
};

}  // namespace tgsim
