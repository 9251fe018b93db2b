#include "record_in_progress.h"

#include <algorithm>
#include <charconv>

#include "fixed_texts.h"

namespace cj {

namespace {

const std::string kHeading = "Class Journal record in progress: ";
const std::string kDeliveryHeading = "Class Journal delivery in progress: ";
const std::string kResponse = "response";
const std::string kNotes = "notes";
const std::string kTyped = "typed";
const std::string kClassLine = "responses";
const std::string kOutboxLine = "unsent";

struct FileWord {
    const char* word;
    std::string StudentFileNames::*file;
};
constexpr FileWord kFiles[] = {
    {"send", &StudentFileNames::send}, {"masterFile", &StudentFileNames::master}, {"notes", &StudentFileNames::notes}};

std::string placeText(const FilePlace& place) {
    return std::to_string(place.file.volume) + " " + std::to_string(place.file.index) + " " + std::to_string(place.at);
}

void addEntry(std::string& text, const std::string& what, const std::string& bytes,
              const std::optional<FilePlace>& place = std::nullopt) {
    text += what + " " + std::to_string(bytes.size()) + (place ? " " + placeText(*place) : "") + kLineEnd + bytes +
            kLineEnd;
}

// Reads blank-separated numbers, all of them; false when text is anything else.
bool readNumbers(std::string_view text, std::initializer_list<std::uint64_t*> numbers) {
    for (std::uint64_t* number : numbers) {
        const char* end = text.data() + text.size();
        const auto [ptr, error] = std::from_chars(text.data(), end, *number);
        if (error != std::errc() || (ptr != end && *ptr != ' ')) return false;
        text.remove_prefix(static_cast<std::size_t>(ptr - text.data()) + (ptr != end));
    }
    return text.empty();
}

struct Entry {
    std::string_view what, bytes;
    std::optional<FilePlace> place;
};

// Takes the next entry off saved; false when there is none whole.
bool takeEntry(std::string_view& saved, Entry& entry) {
    const std::size_t headEnd = saved.find(kLineEnd);
    if (headEnd == std::string_view::npos) return false;
    std::string_view head = saved.substr(0, headEnd);
    const std::size_t blank = head.find(' ');
    if (blank == std::string_view::npos) return false;
    entry.what = head.substr(0, blank);
    head.remove_prefix(blank + 1);
    std::uint64_t length = 0;
    FilePlace place;
    if (readNumbers(head, {&length})) {
        entry.place.reset();
    } else if (readNumbers(head, {&length, &place.file.volume, &place.file.index, &place.at})) {
        entry.place = place;
    } else {
        return false;
    }
    saved.remove_prefix(headEnd + kLineEnd.size());
    if (saved.size() < length + kLineEnd.size() || saved.substr(length, kLineEnd.size()) != kLineEnd) return false;
    entry.bytes = saved.substr(0, length);
    saved.remove_prefix(length + kLineEnd.size());
    return true;
}

}  // namespace

std::string savedForm(const RecordInProgress& record, const StudentFileNames& names) {
    std::string text = kHeading + (record.kind == RecordInProgress::Kind::Response ? kResponse : kNotes) + " " +
                       record.dateText + kLineEnd;
    addEntry(text, kTyped, record.typed);
    for (const RecordInProgress::Part& part : record.parts) {
        for (const FileWord& f : kFiles) {
            if (!part.landed && part.file == names.*f.file) addEntry(text, f.word, part.bytes, part.place);
        }
    }
    if (record.classLine) {
        const bool inOutbox = record.linePlace && record.linePlace->inOutbox;
        addEntry(text, inOutbox ? kOutboxLine : kClassLine, *record.classLine,
                 record.linePlace ? std::optional(record.linePlace->place) : std::nullopt);
    }
    return text;
}

std::optional<RecordInProgress> recordFromSavedForm(std::string_view saved, StudentFileNames names) {
    RecordInProgress record{RecordInProgress::Kind::Response, "", names.dateText, {}, std::nullopt, std::nullopt};
    if (!saved.starts_with(kHeading)) return std::nullopt;
    saved.remove_prefix(kHeading.size());
    const std::size_t headEnd = saved.find(kLineEnd);
    if (headEnd == std::string_view::npos) return std::nullopt;
    const std::string_view head = saved.substr(0, headEnd);
    const std::string_view kind = head.substr(0, head.find(' '));
    if (kind == kNotes) {
        record.kind = RecordInProgress::Kind::Notes;
    } else if (kind != kResponse) {
        return std::nullopt;
    }
    if (kind.size() < head.size()) {
        record.dateText = head.substr(kind.size() + 1);
        if (record.dateText.size() != names.dateText.size()) return std::nullopt;
        names.send = fileOfDay(StudentFileKind::Send, names.send, record.dateText);
    }
    saved.remove_prefix(headEnd + kLineEnd.size());
    Entry entry;
    bool typed = false;
    while (!saved.empty()) {
        if (!takeEntry(saved, entry)) return std::nullopt;
        if (entry.what == kTyped) {
            record.typed = entry.bytes;
            typed = true;
        } else if (entry.what == kClassLine || entry.what == kOutboxLine) {
            record.classLine = std::string(entry.bytes);
            if (entry.place) record.linePlace = RecordInProgress::LinePlace{entry.what == kOutboxLine, *entry.place};
        } else {
            const auto* f = std::ranges::find_if(kFiles, [&](const FileWord& w) { return entry.what == w.word; });
            if (f == std::end(kFiles)) return std::nullopt;
            record.parts.push_back({names.*f->file, std::string(entry.bytes), false, entry.place});
        }
    }
    if (!typed) return std::nullopt;
    return record;
}

std::string savedForm(const DeliveryInProgress& delivery) {
    return kDeliveryHeading + std::to_string(delivery.from) + " " + placeText(delivery.to) + kLineEnd;
}

std::optional<DeliveryInProgress> deliveryFromSavedForm(std::string_view saved) {
    if (!saved.starts_with(kDeliveryHeading) || !saved.ends_with(kLineEnd)) return std::nullopt;
    saved.remove_prefix(kDeliveryHeading.size());
    saved.remove_suffix(kLineEnd.size());
    DeliveryInProgress delivery;
    if (!readNumbers(saved, {&delivery.from, &delivery.to.file.volume, &delivery.to.file.index, &delivery.to.at})) {
        return std::nullopt;
    }
    return delivery;
}

}  // namespace cj
