// The window's picture boxes, their timer and the beep, as the run and the form see them.

#include <QApplication>
#include <QTimer>

#include "cmd_pend_exp.h"
#include "picture_box.h"

namespace cj::ui {

void cmd_pend_exp::drawCircle(cj::PictureBoxId box, float x, float y, float radius) {
    (box == cj::PictureBoxId::Picture1 ? Picture1 : Picture2)->drawCircle(x, y, radius);
}

void cmd_pend_exp::beep() { QApplication::beep(); }

void cmd_pend_exp::copyPicture() { copyPictureThroughClipboard(*Picture1, *Picture2); }

bool cmd_pend_exp::startPictureTimer() {
    tmr_pend_exp->start();
    return tmr_pend_exp->isActive();
}

}  // namespace cj::ui
