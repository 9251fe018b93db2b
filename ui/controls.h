#pragma once

#include <QFont>
#include <QString>
#include <string_view>

#include "control_table.h"

class QWidget;

namespace cj::ui {

// Qt lays widgets out in pixels of 1/96 inch, scaling them itself on a denser screen.
int pixelsOf(int twips);

// The table's texts are ASCII, held as UTF-8.
QString qStringOf(std::string_view text);

QFont qFontOf(const form::Font& font);

// Creates every control of the main window on it, each named, captioned and placed, with the
// focus moving through them in the window's tab order.
void createControls(QWidget& window);

}  // namespace cj::ui
