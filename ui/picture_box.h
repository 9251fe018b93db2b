#pragma once

#include <QFrame>

namespace cj::ui {

// A picture box: a white panel the run draws on in its own user scale, with (0, 0) at the
// top-left corner of its interior.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setUserScale(float width, float height);
    float scaleWidth() const { return scaleWidth_; }
    float scaleHeight() const { return scaleHeight_; }

private:
    // No scale until the run sets one at start-up.
    float scaleWidth_ = 0.0f;
    float scaleHeight_ = 0.0f;
};

}  // namespace cj::ui
