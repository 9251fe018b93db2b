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
    scaleWidth_ = width;
    scaleHeight_ = height;
}

void PictureBox::drawCircle(float x, float y, float radius) {
    const QSize interior = contentsRect().size();
    if (scaleWidth_ <= 0 || scaleHeight_ <= 0 || interior.isEmpty()) return;
    if (drawing_.size() != interior) {
        // The box never changes size, so this happens once; a tick then costs the same all run.
        drawing_ = QImage(interior, QImage::Format_ARGB32_Premultiplied);
        drawing_.fill(Qt::transparent);
    }
    const double unitsToPixels = interior.width() / static_cast<double>(scaleWidth_);
    const QPointF centre(x * unitsToPixels, y * interior.height() / static_cast<double>(scaleHeight_));
    QPainter painter(&drawing_);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawEllipse(centre, radius * unitsToPixels, radius * unitsToPixels);
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
