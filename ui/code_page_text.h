#pragma once

#include <QString>
#include <string>

#include "window_interfaces.h"

namespace cj::ui {

// The run keeps its texts as Windows-1252 bytes with CR LF line ends; Qt holds Unicode with
// one separator per line break. These are the only crossings between the two.

QString toQString(const std::string& codePageText);

// A character the code page lacks becomes "?"; any line break becomes CR LF.
std::string toCodePage(const QString& text);

// As toCodePage, and as typed, in UTF-8.
TypedAnswer typedAnswerOf(const QString& text);

// The text as typing would leave it: control characters dropped but Tab and line breaks, every
// character the code page lacks replaced by "?".
QString fittedToCodePage(const QString& text);

}  // namespace cj::ui
