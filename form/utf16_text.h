#pragma once

#include <string>
#include <string_view>

namespace cj::form {

// The run keeps its texts as Windows-1252 bytes with CR LF line ends; toolkits show UTF-16.
// These are the crossings between the two, for every window.

// Byte for byte, line ends as they are.
std::u16string utf16Of(std::string_view codePageText);

// Character for character, a surrogate pair being one character; one the code page lacks
// becomes "?", line ends stay as they are.
std::string codePageOf(std::u16string_view text);

// As codePageOf, but every line break, CR LF, a lone CR or LF, or a Unicode line or paragraph
// separator, becomes one CR LF.
std::string codePageLinesOf(std::u16string_view text);

// Character for character, a surrogate pair being one character, one standing alone U+FFFD.
std::string utf8Of(std::u16string_view text);

// Whether the character reaches the code page as itself; a line break counts as one.
bool fitsCodePage(char32_t character);

// The text as typing would leave it: control characters dropped but Tab and the line breaks,
// which stay as they are, and each character the code page lacks replaced by "?".
std::u16string fittedToCodePage(std::u16string_view text);

}  // namespace cj::form
