#include "file_names.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "code_page.h"
#include "text_files.h"
#include "utf8_text.h"

namespace cj {

namespace {

// A file name holds at most 255 bytes of UTF-8 on Linux and 255 UTF-16 units on Windows.
constexpr std::size_t kFileNameLimit = 255;
// The longest names built on N are the drafts' temporary ones, "draft_" + N + ".txt" and the
// temporary suffix ("draft2" + N and so on for further copies); the others have less around N.
constexpr std::size_t kMostAroundN = std::string_view("draft_.txt").size() + kTemporarySuffixLength;
static_assert(kMostAroundN >= std::string_view("masterFile_.txt").size());
static_assert(kMostAroundN >= std::string_view("send_MMDD.txt").size());
static_assert(kMostAroundN >= std::string_view("unsent_.txt").size());
static_assert(kMostAroundN >= std::string_view("inuse_.txt").size());
static_assert(kMostAroundN >= std::string_view("unsentMMDD.txt").size());
// The record in progress is saved as the draft is, under a name as long.
static_assert(std::string_view(".rec").size() == kStudentFileExtension.size());
constexpr std::size_t kRoomForN = kFileNameLimit - kMostAroundN;
constexpr std::size_t kDigestLength = 16;

bool codePageWrites(char32_t c) { return c == U'?' || codePageByteOf(c) != '?'; }

// The name as the digest reads it: a name the code page writes in its code-page bytes, as every
// name always was; any other name as a zero byte and its UTF-8, which no code-page name begins
// with, so that the two kinds never share a digest.
std::string digestInput(const std::string& typedName) {
    std::string codePage;
    for (std::size_t at = 0; at < typedName.size();) {
        const Utf8Character next = utf8CharacterAt(typedName, at);
        if (!codePageWrites(next.character)) return std::string(1, '\0') + typedName;
        codePage += codePageByteOf(next.character);
        at += next.length;
    }
    return codePage;
}

// FNV-1a: the same on every computer and in every build, as a file name must be.
std::string digestOf(const std::string& typedName) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : digestInput(typedName)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3u;
    }
    char hex[kDigestLength + 1];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

bool forbidden(char32_t c) {
    constexpr std::string_view kForbidden = " \\/:*?\"<>|";
    return c < 32 || (c < 128 && kForbidden.find(static_cast<char>(c)) != std::string_view::npos);
}

// The safe characters of the name, whole, as many as fit in room bytes of UTF-8. No character
// takes more UTF-16 units than UTF-8 bytes, so keeping within the UTF-8 room keeps within the
// UTF-16 room too, and a name gets the same file names on Linux and on Windows.
std::string safePrefix(const std::string& typedName, std::size_t room, bool& cut) {
    std::string part;
    cut = false;
    for (std::size_t at = 0; at < typedName.size();) {
        const Utf8Character next = utf8CharacterAt(typedName, at);
        std::string bytes;
        appendUtf8(bytes, forbidden(next.character) ? U'_' : next.character);
        if (part.size() + bytes.size() > room) {
            cut = true;
            break;
        }
        part += bytes;
        at += next.length;
    }
    return part;
}

std::string fileNameOf(const StudentFileNaming& naming, const std::string& monthDay, const std::string& namePart) {
    return std::string(naming.prefix) + (naming.perDay ? monthDay : "") + namePart + std::string(kStudentFileExtension);
}

std::string monthDayOf(const std::string& dateText) { return dateText.substr(0, 2) + dateText.substr(3, 2); }

bool isMonthDay(std::string_view text) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.size() != 4 || !std::all_of(text.begin(), text.end(), digit)) return false;
    const int month = (text[0] - '0') * 10 + (text[1] - '0');
    const int day = (text[2] - '0') * 10 + (text[3] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

}  // namespace

std::optional<StudentFileName> readStudentFileName(std::string_view fileName) {
    if (!fileName.ends_with(kStudentFileExtension)) return std::nullopt;
    fileName.remove_suffix(kStudentFileExtension.size());
    for (const StudentFileNaming& naming : kStudentFileNamings) {
        if (!fileName.starts_with(naming.prefix)) continue;
        std::string_view rest = fileName.substr(naming.prefix.size());
        std::string monthDay;
        if (naming.perDay) {
            if (!isMonthDay(rest.substr(0, 4))) return std::nullopt;
            monthDay = rest.substr(0, 4);
            rest.remove_prefix(4);
        }
        return StudentFileName{naming.kind, monthDay, std::string(rest)};
    }
    return std::nullopt;
}

std::string fileNamePart(const std::string& typedName) {
    bool cut = false;
    std::string part = safePrefix(typedName, kRoomForN, cut);
    if (!cut) return part;
    return safePrefix(typedName, kRoomForN - 1 - kDigestLength, cut) + "~" + digestOf(typedName);
}

StudentFileNames studentFileNames(const std::string& dataDir, const std::string& typedName, const std::string& dateText) {
    const std::string n = fileNamePart(typedName);
    const std::string folder = toUtf8(dataDir) + "\\";
    const std::string monthDay = monthDayOf(dateText);
    StudentFileNames names;
    for (const StudentFileNaming& naming : kStudentFileNamings) {
        const std::string path = folder + fileNameOf(naming, monthDay, n);
        switch (naming.kind) {
            case StudentFileKind::Master: names.master = path; break;
            case StudentFileKind::Send: names.send = path; break;
            case StudentFileKind::Notes: names.notes = path; break;
            case StudentFileKind::Draft: names.copyDrafts.push_back(path); break;
            case StudentFileKind::Outbox: names.outbox = path; break;
            case StudentFileKind::InUse: names.inUse = path; break;
            case StudentFileKind::UnsentOfDay: break;  // one for each day, named as it is needed
        }
    }
    names.draft = names.copyDrafts.front();
    names.outboxes = {names.outbox};
    names.dateText = dateText;
    return names;
}

std::string fileOfDay(StudentFileKind kind, const std::string& beside, const std::string& dateText) {
    const std::size_t folder = beside.rfind('\\') + 1;
    const auto named = readStudentFileName(std::string_view(beside).substr(folder));
    const StudentFileNaming& naming = *std::ranges::find(kStudentFileNamings, kind, &StudentFileNaming::kind);
    return beside.substr(0, folder) + fileNameOf(naming, monthDayOf(dateText), named ? named->namePart : "");
}

std::string unsentOfDayElsewhere(const std::string& outbox, const std::string& dateText) {
    const std::string dayFile = unsentOfDay(outbox, dateText);
    return dayFile.substr(0, dayFile.size() - kStudentFileExtension.size()) + " (2)" +
           std::string(kStudentFileExtension);
}

std::string progressFileOf(const std::string& file) {
    return file.substr(0, file.size() - kStudentFileExtension.size()) + ".rec";
}

}  // namespace cj
