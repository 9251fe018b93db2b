#pragma once

#include <QPushButton>

namespace cj::ui {

// A push button whose caption breaks at word boundaries to fit its fixed rectangle,
// as a caption like "Next Question / Answer" must on a narrow button. Return presses it, once
// however long it is held.
class WrappingButton : public QPushButton {
    Q_OBJECT

public:
    explicit WrappingButton(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace cj::ui
