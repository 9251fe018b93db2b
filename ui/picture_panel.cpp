// The window's picture boxes and beep, as the run sees them.

#include <QApplication>

#include "cmd_pend_exp.h"
#include "picture_box.h"

namespace cj::ui {

void cmd_pend_exp::drawCircle(cj::PictureBox box, float x, float y, float radius) {
    (box == cj::PictureBox::Picture1 ? Picture1 : Picture2)->drawCircle(x, y, radius);
}

void cmd_pend_exp::beep() { QApplication::beep(); }

}  // namespace cj::ui
