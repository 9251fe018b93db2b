#include "record_in_progress.h"

#include <algorithm>
#include <charconv>

#include "fixed_texts.h"

namespace cj {

namespace {

const std::string kHeading = "Class Journal record in progress: ";
const std::string kResponse = "response";
const std::string kNotes = "notes";
const std::string kTyped = "typed";
const std::string kClassLine = "responses";

struct FileWord {
    const char* word;
    std::string StudentFileNames::*file;
};
constexpr FileWord kFiles[] = {
    {"send", &StudentFileNames::send}, {"masterFile", &StudentFileNames::master}, {"notes", &StudentFileNames::notes}};

void addEntry(std::string& text, const std::string& what, const std::string& bytes) {
    text += what + " " + std::to_string(bytes.size()) + kLineEnd + bytes + kLineEnd;
}

// Takes the next entry off saved; false when there is none whole.
bool takeEntry(std::string_view& saved, std::string_view& what, std::string_view& bytes) {
    const std::size_t headEnd = saved.find(kLineEnd);
    const std::size_t blank = saved.substr(0, headEnd).find(' ');
    if (headEnd == std::string_view::npos || blank == std::string_view::npos) return false;
    std::size_t length = 0;
    const char* digitsEnd = saved.data() + headEnd;
    if (std::from_chars(saved.data() + blank + 1, digitsEnd, length).ptr != digitsEnd) return false;
    what = saved.substr(0, blank);
    saved.remove_prefix(headEnd + kLineEnd.size());
    if (saved.size() < length + kLineEnd.size() || saved.substr(length, kLineEnd.size()) != kLineEnd) return false;
    bytes = saved.substr(0, length);
    saved.remove_prefix(length + kLineEnd.size());
    return true;
}

}  // namespace

std::string savedForm(const RecordInProgress& record, const StudentFileNames& names) {
    std::string text = kHeading + (record.kind == RecordInProgress::Kind::Response ? kResponse : kNotes) + kLineEnd;
    addEntry(text, kTyped, record.typed);
    for (const RecordInProgress::Part& part : record.parts) {
        for (const FileWord& f : kFiles) {
            if (!part.landed && part.file == names.*f.file) addEntry(text, f.word, part.bytes);
        }
    }
    if (record.classLine) addEntry(text, kClassLine, *record.classLine);
    return text;
}

std::optional<RecordInProgress> recordFromSavedForm(std::string_view saved, const StudentFileNames& names) {
    RecordInProgress record{RecordInProgress::Kind::Response, "", {}, std::nullopt};
    if (saved.starts_with(kHeading + kNotes + kLineEnd)) {
        record.kind = RecordInProgress::Kind::Notes;
    } else if (!saved.starts_with(kHeading + kResponse + kLineEnd)) {
        return std::nullopt;
    }
    saved.remove_prefix(saved.find(kLineEnd) + kLineEnd.size());
    std::string_view what, bytes;
    bool typed = false;
    while (!saved.empty()) {
        if (!takeEntry(saved, what, bytes)) return std::nullopt;
        if (what == kTyped) {
            record.typed = bytes;
            typed = true;
        } else if (what == kClassLine) {
            record.classLine = std::string(bytes);
        } else {
            const auto* f = std::ranges::find_if(kFiles, [&](const FileWord& w) { return what == w.word; });
            if (f == std::end(kFiles)) return std::nullopt;
            record.parts.push_back({names.*f->file, std::string(bytes)});
        }
    }
    if (!typed) return std::nullopt;
    return record;
}

}  // namespace cj
