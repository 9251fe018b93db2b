#pragma once

class QWidget;

namespace cj::ui {

// Positions and sizes of the window are given in twips, 1/1440 inch.
int pixelsOf(int twips);

// Creates every control of the main window on it, each named, captioned and placed, with the
// focus moving through them in the window's tab order.
void createControls(QWidget& window);

}  // namespace cj::ui
