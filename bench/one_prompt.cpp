// The least a Qt program does to put one input prompt on the screen: the baseline against
// which the start-up of classjournal is measured.

#include <QApplication>
#include <QInputDialog>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QInputDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Class Journal"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(QStringLiteral("Enter 1 for home user, 2 for BRELL LAN user"));
    return dialog.exec();
}
