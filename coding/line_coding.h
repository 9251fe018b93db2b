#pragma once

#include <functional>
#include <string>

namespace cj {

// Texts are byte strings in Windows-1252, one byte per character.

// The coding hook every recorded line passes through; it leaves lines readable.
std::string code(const std::string& aLine, float codeNbr);

// A noise line of codeNbr to 2 * codeNbr characters, drawn from nextDraw (uniform in [0, 1)).
std::string makeCodeLine(float codeNbr, const std::function<float()>& nextDraw);

// Inverse of the coding; throws RunError(kInvalidArgument) when a code falls outside 0..255.
std::string decode(const std::string& aLine, float codeNbr);

// The text without its blanks and hyphens.
std::string remSpaces(const std::string& aLine);

}  // namespace cj
