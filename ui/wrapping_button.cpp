#include "wrapping_button.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace cj::ui {

WrappingButton::WrappingButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    // Return and keypad Enter press a focused button, as on Windows and in GTK programs; Qt
    // grants that only to buttons in dialogs unless asked.
    setAutoDefault(true);
}

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    // The style would draw the caption on one line; it gets only the bevel.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    style()->drawItemText(&painter, contents, Qt::TextWordWrap | Qt::AlignCenter, option.palette, isEnabled(), caption,
                          QPalette::ButtonText);
}

namespace {

bool isReturn(const QKeyEvent* event) { return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter; }

}  // namespace

// A held Return repeats its key press; like the space bar, it presses the button once. On X11
// a repeat comes as a release and a press with one time stamp, which Qt marks as a repeat only
// when it sees the press already waiting behind the release: on a busy computer it often is
// not yet. A press at the very moment of the last release is a repeat all the same; a time stamp
// of 0 is none.
void WrappingButton::keyPressEvent(QKeyEvent* event) {
    const bool atRelease = event->timestamp() != 0 && returnReleasedAt_ == event->timestamp();
    if (isReturn(event) && (event->isAutoRepeat() || atRelease)) {
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void WrappingButton::keyReleaseEvent(QKeyEvent* event) {
    if (isReturn(event)) returnReleasedAt_ = event->timestamp();
    QPushButton::keyReleaseEvent(event);
}

}  // namespace cj::ui
