#include "controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <cmath>

#include "code_page_text_box.h"
#include "picture_box.h"
#include "wrapping_button.h"

namespace cj::ui {

namespace {

enum class Kind { MultiLineTextBox, TextBox, Button, Label, Picture, ListBox };

struct Control {
    const char* name;
    Kind kind;
    const char* text;
    const char* accessibleName;
    int left, top, width, height;
};

// In tab order.
constexpr Control kControls[] = {
    {"txt_question", Kind::MultiLineTextBox, "", "Question", 240, 720, 5175, 5255},
    {"txt_answer", Kind::MultiLineTextBox, "", "Answer", 5640, 720, 5055, 5255},
    {"cmdNextQuestion", Kind::Button, "Next Question / Answer", nullptr, 240, 0, 975, 735},
    {"cmd_enter_response", Kind::Button, "Enter Response", nullptr, 5640, 240, 855, 495},
    {"Picture1", Kind::Picture, "", "Picture 1", 240, 6080, 5175, 1375},
    {"Picture2", Kind::Picture, "", "Picture 2", 5640, 6080, 5055, 1375},
    {"cmd_save_as_notes", Kind::Button, "Save as Notes", nullptr, 6480, 240, 855, 495},
    {"cmd_Make_paragraph", Kind::Button, "Make Paragraph", nullptr, 7320, 240, 975, 495},
    {"cmd_Make_Paragraph_question", Kind::Button, "Make Paragraph", nullptr, 1200, 240, 855, 495},
    {"txt_paragraph_goback", Kind::TextBox, "1", "# sentences previous", 3120, 240, 495, 495},
    {"lbl_paragraph_goback", Kind::Label, "# sentences previous", nullptr, 2160, 240, 1095, 495},
    {"cmd_timerTrigger", Kind::Button, "Trigger Timer", nullptr, 2400, 7560, 735, 495},
    {"List1", Kind::ListBox, "", "List 1", 3120, 7680, 1695, 840},
    {"lbl_parameter_0", Kind::Label, "Parameter 1", nullptr, 5640, 7680, 900, 195},
    {"txt_parameter_0", Kind::TextBox, "1", "Parameter 1", 6720, 7680, 300, 285},
    {"lbl_parameter_1", Kind::Label, "Parameter 2", nullptr, 5640, 8160, 855, 195},
    {"txt_parameter_1", Kind::TextBox, "1", "Parameter 2", 6720, 8160, 300, 285},
    {"lbl_parameter_2", Kind::Label, "Parameter 3", nullptr, 7200, 7680, 1005, 195},
    {"txt_parameter_2", Kind::TextBox, "1", "Parameter 3", 8205, 7680, 300, 285},
    {"lbl_parameter_3", Kind::Label, "Parameter 4", nullptr, 7200, 8160, 900, 195},
    {"txt_parameter_3", Kind::TextBox, "1", "Parameter 4", 8205, 8160, 300, 285},
    {"cmd_displayCumulativeText", Kind::Button, "display everything", nullptr, 3600, 240, 855, 495},
    {"cmd_display_note_file", Kind::Button, "display notes", nullptr, 4440, 240, 975, 495},
    {"cmd_quit", Kind::Button, "quit program", nullptr, 10200, 0, 735, 495},
    {"cmd_pend_exp", Kind::Button, "pend exp", nullptr, 8640, 7560, 495, 375},
    {"cmd_next_picture", Kind::Button, "next picture", nullptr, 1200, 7560, 855, 495},
    {"lbl_only_if_prompted", Kind::Label, "click only if prompted", nullptr, 240, 7560, 855, 495},
    {"cmd_copy_picture", Kind::Button, "copy picture", nullptr, 1200, 8160, 855, 495},
    {"cmd_clear_answer_box", Kind::Button, "clear box", nullptr, 8280, 240, 855, 495},
};

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

int pixelsOf(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

void createControls(QWidget& window) {
    QWidget* previousInTabOrder = nullptr;
    for (const Control& c : kControls) {
        const QString text = QString::fromUtf8(c.text);
        QWidget* control = newControl(c.kind, text);
        control->setParent(&window);
        control->setObjectName(QString::fromUtf8(c.name));
        control->setAccessibleName(c.accessibleName ? QString::fromUtf8(c.accessibleName) : text);
        control->setGeometry(pixelsOf(c.left), pixelsOf(c.top), pixelsOf(c.width), pixelsOf(c.height));
        if (control->focusPolicy() == Qt::NoFocus) continue;
        if (previousInTabOrder) QWidget::setTabOrder(previousInTabOrder, control);
        previousInTabOrder = control;
    }
}

}  // namespace cj::ui
