#include "picture_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>

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
    scale_ = {width, height};
}

void PictureBox::drawCircle(float x, float y, float radius) {
    const QSize interior = contentsRect().size();
    if (!form::canDrawIn(scale_, interior.width(), interior.height())) return;
    if (drawing_.size() != interior) {
        // The box never changes size, so this happens once; a tick then costs the same all run.
        drawing_ = QImage(interior, QImage::Format_ARGB32_Premultiplied);
        drawing_.fill(Qt::transparent);
    }
    const form::PixelCircle circle = form::pixelCircle(scale_, interior.width(), interior.height(), x, y, radius);
    QPainter painter(&drawing_);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawEllipse(QPointF(circle.x, circle.y), circle.radius, circle.radius);
    update();
}

void PictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    if (!picture_.isNull()) painter.drawPixmap(contentsRect().topLeft(), picture_);
    if (!drawing_.isNull()) painter.drawImage(contentsRect().topLeft(), drawing_);
}

// An empty picture is not put on the clipboard, so Picture2 then shows whatever picture
// another program left there, or none.
void copyPictureThroughClipboard(const PictureBox& from, PictureBox& to) {
    QClipboard& clipboard = *QGuiApplication::clipboard();
    if (!from.picture().isNull()) clipboard.setPixmap(from.picture());
    to.setPicture(clipboard.pixmap());
}

}  // namespace cj::ui
