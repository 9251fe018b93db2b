#include "qt_dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

#include "code_page_text.h"
#include "control_table.h"
#include "controls.h"

namespace cj::ui {

namespace {

// Set on each dialog: an application display name would also be appended to "Form1".
const QString kTitle = qStringOf(form::kDialogTitle);

}  // namespace

TypedAnswer QtDialogs::answerTo(const std::string& prompt) {
    QInputDialog dialog;
    dialog.setWindowTitle(kTitle);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(toQString(prompt));
    if (dialog.exec() != QDialog::Accepted) return {};
    return typedAnswerOf(dialog.textValue());
}

void QtDialogs::msgBox(const std::string& message) {
    QMessageBox box(QMessageBox::NoIcon, kTitle, toQString(message), QMessageBox::Ok);
    box.exec();
}

}  // namespace cj::ui
