// Prints, for the documents' check, the words by which the documents quote each of the
// program's prompts and messages: those before the first thing a showing fills in (or, where
// the text begins with one, those after it), up to the end of the first sentence, with runs
// of blanks made one.

#include <iostream>
#include <regex>
#include <string>

#include "failure_messages.h"

int main() {
    for (const cj::ShownText& shown : cj::shownTexts()) {
        std::string words(shown.text.substr(shown.text.starts_with("{}") ? 2 : 0));
        words = words.substr(0, words.find("{}"));
        words = words.substr(0, words.find(". ") == std::string::npos ? words.size() : words.find(". ") + 1);
        words = std::regex_replace(words, std::regex(" +"), " ");
        words = std::regex_replace(words, std::regex("^ | $"), "");
        std::cout << shown.name << ' ' << words << '\n';
    }
    return std::cout.flush() ? 0 : 1;
}
