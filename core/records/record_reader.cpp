#include "record_reader.h"

#include <optional>
#include <utility>

#include "clock_text.h"
#include "fixed_texts.h"
#include "record_layouts.h"

namespace cj {

namespace {

using Line = LineSplitter::Line;

bool is(const Line& line, const std::string& text) { return !line.overlong && line.text == text; }
bool begins(const Line& line, const std::string& text) { return !line.overlong && line.text.starts_with(text); }

// The time of a time-stamp line: the indent, then the time text.
std::optional<LocalTime> stampTime(const Line& line) {
    if (!begins(line, kTimeStampIndent)) return std::nullopt;
    return readTimeText(std::string_view(line.text).substr(kTimeStampIndent.size()));
}

std::optional<LocalTime> dateAndTime(std::string_view dateText, std::string_view timeText) {
    std::optional<LocalTime> date = readDateText(dateText);
    const std::optional<LocalTime> time = readTimeText(timeText);
    if (!date || !time) return std::nullopt;
    date->hour = time->hour;
    date->minute = time->minute;
    date->second = time->second;
    date->secondsSinceMidnight = time->secondsSinceMidnight;
    return date;
}

// The notes' second time-stamp line: the indent, the date text and the time text with nothing between.
std::optional<LocalTime> stampDateAndTime(const Line& line) {
    if (!begins(line, kTimeStampIndent) || line.text.size() != kTimeStampIndent.size() + 18) return std::nullopt;
    const std::string_view stamp = std::string_view(line.text).substr(kTimeStampIndent.size());
    return dateAndTime(stamp.substr(0, 10), stamp.substr(10));
}

// The header's last line: its label, the date text, a blank, the time text.
std::optional<LocalTime> headerDateAndTime(const Line& line) {
    if (!begins(line, kDateAndTimeLabel) || line.text.size() != kDateAndTimeLabel.size() + 19) return std::nullopt;
    const std::string_view stamp = std::string_view(line.text).substr(kDateAndTimeLabel.size());
    if (stamp[10] != ' ') return std::nullopt;
    return dateAndTime(stamp.substr(0, 10), stamp.substr(11));
}

}  // namespace

void RecordReader::line(Line line) {
    window_.push_back(std::move(line));
    while (window_.size() > kHeaderLines) step();
}

void RecordReader::finish() {
    while (!window_.empty()) step();
    if (state_ != State::Between) cutShort();
}

void RecordReader::step() {
    if (state_ == State::Between) {
        stepBetween();
    } else {
        stepInText();
    }
}

void RecordReader::stepBetween() {
    const std::uint64_t first = window_.front().number;
    if (headerAhead()) {
        HeaderRead header{window_[1].text.substr(kStudentNameLabel.size()),
                          window_[2].text.substr(kAssignmentLabel.size()),
                          window_[3].text,
                          window_[4].text.substr(kInitialsLabel.size()),
                          *headerDateAndTime(window_[5]),
                          first};
        window_.erase(window_.begin(), window_.begin() + kHeaderLines);
        inStray_ = false;
        readings_.header(std::move(header));
    } else if (responseAhead()) {
        partial_ = {RecordRead::Kind::Response, *stampTime(window_[1]), "", "", first};
        window_.erase(window_.begin(), window_.begin() + 4);
        state_ = State::InResponse;
        textStarted_ = false;
        inStray_ = false;
    } else if (notesAhead()) {
        partial_ = {RecordRead::Kind::Notes, *stampDateAndTime(window_[2]), window_[3].text,
                    window_[5].text.substr(kNotesLabel.size()), first};
        window_.erase(window_.begin(), window_.begin() + 6);
        state_ = State::InNotes;
        textStarted_ = true;
        inStray_ = false;
    } else {
        if (!inStray_) readings_.warning(first, "lines that belong to no record");
        inStray_ = true;
        // The record glued to the end of these lines begins on this line.
        if (gluedAhead()) {
            window_.front().text = kDotBangLine;
        } else {
            pop();
        }
    }
}

void RecordReader::stepInText() {
    Line& line = window_.front();
    if (is(line, kDotLine)) {
        pop();
        return endRecord();
    }
    // Notes end in the send and notes files with the print-zone advance, and what is written
    // next begins on that line.
    if (state_ == State::InNotes && begins(line, kDotLine + kPrintZoneAdvance)) {
        line.text.erase(0, kDotLine.size() + kPrintZoneAdvance.size());
        if (line.text.empty()) pop();
        return endRecord();
    }
    if (recordAhead()) return cutShort();
    if (gluedAhead()) {
        line.text = kDotBangLine;
        return cutShort();
    }
    if (line.overlong || partial_.text.size() + line.text.size() + kLineEnd.size() > kLargestAnswer) {
        readings_.warning(partial_.line, "a record larger than any answer");
        state_ = State::Between;
        inStray_ = true;  // the rest of it, up to the next record, needs no warning of its own
        return;
    }
    if (textStarted_) partial_.text += kLineEnd;
    partial_.text += line.text;
    textStarted_ = true;
    pop();
}

bool RecordReader::headerAhead() const {
    return window_.size() >= kHeaderLines && !window_[0].overlong && begins(window_[1], kStudentNameLabel) &&
           begins(window_[2], kAssignmentLabel) && !window_[3].overlong && begins(window_[4], kInitialsLabel) &&
           headerDateAndTime(window_[5]);
}

bool RecordReader::responseAhead() const {
    return window_.size() >= 4 && is(window_[0], kDotBangLine) && stampTime(window_[1]) &&
           is(window_[2], kDotBangLine) && is(window_[3], kResponseLabel);
}

bool RecordReader::notesAhead() const {
    return window_.size() >= 6 && is(window_[0], kDotBangLine) && stampTime(window_[1]) &&
           stampDateAndTime(window_[2]) && !window_[3].overlong && is(window_[4], kDotBangLine) &&
           begins(window_[5], kNotesLabel);
}

// A line cut short in the middle, with the next record's first line glued to it.
bool RecordReader::gluedAhead() const {
    const Line& line = window_.front();
    return !line.overlong && line.text.size() > kDotBangLine.size() && line.text.ends_with(kDotBangLine);
}

void RecordReader::cutShort() {
    readings_.warning(partial_.line, partial_.kind == RecordRead::Kind::Response ? "a response record cut short"
                                                                                 : "a notes record cut short");
    state_ = State::Between;
}

void RecordReader::endRecord() {
    state_ = State::Between;
    readings_.record(std::move(partial_));
}

}  // namespace cj
