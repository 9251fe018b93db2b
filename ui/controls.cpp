#include "controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "code_page_text_box.h"
#include "picture_box.h"
#include "wrapping_button.h"

namespace cj::ui {

namespace {

using form::Kind;

QWidget* newControl(Kind kind, const QString& text) {
    switch (kind) {
    case Kind::MultiLineTextBox:
        return new CodePageTextBox;
    case Kind::TextBox:
        return new QLineEdit(text);
    case Kind::Button:
        return new WrappingButton(text);
    case Kind::Label: {
        auto* label = new QLabel(text);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case Kind::Picture:
        return new PictureBox;
    case Kind::ListBox:
        return new QListWidget;
    }
    return nullptr;
}

}  // namespace

int pixelsOf(int twips) { return form::pixelsOf(twips, 96); }

QString qStringOf(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QFont qFontOf(const form::Font& font) {
    QFont qFont(qStringOf(font.family));
    qFont.setPointSizeF(font.points);
    return qFont;
}

void createControls(QWidget& window) {
    QWidget* previousInTabOrder = nullptr;
    for (const form::Control& c : form::controls()) {
        QWidget* control = newControl(c.kind, qStringOf(c.text));
        control->setParent(&window);
        control->setObjectName(qStringOf(c.name));
        control->setAccessibleName(qStringOf(c.accessibleName()));
        const form::TwipRect& place = c.place;
        control->setGeometry(pixelsOf(place.left), pixelsOf(place.top), pixelsOf(place.width), pixelsOf(place.height));
        if (!c.takesFocus()) continue;
        if (previousInTabOrder) QWidget::setTabOrder(previousInTabOrder, control);
        previousInTabOrder = control;
    }
}

}  // namespace cj::ui
