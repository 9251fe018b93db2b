#pragma once

#include <QFrame>
#include <QImage>
#include <QPixmap>

#include "picture_scale.h"

namespace cj::ui {

// A picture box: a white panel the run draws on in its own user scale, with (0, 0) at the
// top-left corner of its interior. It shows an assigned picture at its natural size, and over
// it whatever has been drawn.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setUserScale(float width, float height);
    float scaleWidth() const { return scale_.width; }
    float scaleHeight() const { return scale_.height; }

    // A true circle on the screen: centre in the user scale, radius in horizontal units.
    void drawCircle(float x, float y, float radius);
    // Everything drawn so far, kept so that it survives the box being covered and uncovered.
    const QImage& drawing() const { return drawing_; }

    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    form::UserScale scale_;
    QImage drawing_;
    QPixmap picture_;
};

// Puts from's picture on the system clipboard, then shows the clipboard's picture in to.
void copyPictureThroughClipboard(const PictureBox& from, PictureBox& to);

}  // namespace cj::ui
