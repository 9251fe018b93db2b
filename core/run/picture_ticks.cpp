#include "run.h"

namespace cj {

void Run::timerTick() {
    platform_.pictures.beep();
    const float radius = platform_.random.next() * 500.0f;
    platform_.pictures.drawCircle(PictureBoxId::Picture1, 500.0f, 500.0f, radius);
}

}  // namespace cj
