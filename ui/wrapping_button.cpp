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

// A held Return repeats its key press; like the space bar, it presses the button once.
void WrappingButton::keyPressEvent(QKeyEvent* event) {
    const bool returnKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (returnKey && event->isAutoRepeat()) {
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace cj::ui
