#pragma once

#include <QPushButton>
#include <optional>

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
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // When Return or keypad Enter was last let go, by the window system's clock.
    std::optional<quint64> returnReleasedAt_;
};

}  // namespace cj::ui
