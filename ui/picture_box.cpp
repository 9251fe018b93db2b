#include "picture_box.h"

namespace cj::ui {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::setUserScale(float width, float height) {
    scaleWidth_ = width;
    scaleHeight_ = height;
}

}  // namespace cj::ui
