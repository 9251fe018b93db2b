#include "qt_dialogs.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "code_page_text.h"
#include "control_table.h"
#include "controls.h"

namespace cj::ui {

namespace {

// Set on each dialog: an application display name would also be appended to "Form1".
const QString kTitle = qStringOf(form::kDialogTitle);

// A command that shows a dialog shows the wait cursor meanwhile; over the dialog the student
// sees the usual one, to answer it.
class UsualCursor {
public:
    UsualCursor() {
        if (overridden_) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~UsualCursor() {
        if (overridden_) QGuiApplication::restoreOverrideCursor();
    }
    UsualCursor(const UsualCursor&) = delete;
    UsualCursor& operator=(const UsualCursor&) = delete;

private:
    const bool overridden_ = QGuiApplication::overrideCursor() != nullptr;
};

}  // namespace

TypedAnswer QtDialogs::answerTo(const std::string& prompt) {
    QInputDialog dialog;
    dialog.setWindowTitle(kTitle);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(toQString(prompt));
    const UsualCursor usual;
    if (dialog.exec() != QDialog::Accepted) return {};
    return typedAnswerOf(dialog.textValue());
}

void QtDialogs::msgBox(const std::string& message) {
    QMessageBox box(QMessageBox::NoIcon, kTitle, toQString(message), QMessageBox::Ok);
    const UsualCursor usual;
    box.exec();
}

}  // namespace cj::ui
