#include "file_names.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "code_page.h"
#include "text_files.h"

namespace cj {

namespace {

// A file name holds at most 255 bytes of UTF-8 on Linux and 255 UTF-16 units on Windows.
constexpr std::size_t kFileNameLimit = 255;
// The longest name built on N is the draft's temporary one, "draft_" + N + ".txt" and the
// temporary suffix; the others have less around N.
constexpr std::size_t kMostAroundN = std::string_view("draft_.txt").size() + kTemporarySuffixLength;
static_assert(kMostAroundN >= std::string_view("masterFile_.txt").size());
static_assert(kMostAroundN >= std::string_view("send_MMDD.txt").size());
static_assert(kMostAroundN >= std::string_view("unsent_.txt").size());
constexpr std::size_t kRoomForN = kFileNameLimit - kMostAroundN;
constexpr std::size_t kDigestLength = 16;

// FNV-1a: the same on every computer and in every build, as a file name must be.
std::string digestOf(const std::string& text) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3u;
    }
    char hex[kDigestLength + 1];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

// The safe characters of the name, as many as fit in room bytes of UTF-8. Every code-page
// character is one UTF-16 unit and at least one UTF-8 byte, so keeping within the UTF-8
// room keeps within the UTF-16 room too.
std::string safePrefix(const std::string& fullName, std::size_t room, bool& cut) {
    constexpr std::string_view kForbidden = " \\/:*?\"<>|";
    std::string part;
    std::size_t utf8Bytes = 0;
    cut = false;
    for (char c : fullName) {
        if (static_cast<unsigned char>(c) < 32 || kForbidden.find(c) != std::string_view::npos) c = '_';
        utf8Bytes += toUtf8(std::string_view(&c, 1)).size();
        if (utf8Bytes > room) {
            cut = true;
            break;
        }
        part += c;
    }
    return part;
}

std::string fileNameOf(StudentFileKind kind, const std::string& monthDay, const std::string& namePart) {
    for (const StudentFileNaming& naming : kStudentFileNamings) {
        if (naming.kind == kind) {
            return std::string(naming.prefix) + (naming.perDay ? monthDay : "") + namePart + std::string(kStudentFileExtension);
        }
    }
    return {};
}

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

std::string fileNamePart(const std::string& fullName) {
    bool cut = false;
    std::string part = safePrefix(fullName, kRoomForN, cut);
    if (!cut) return part;
    return safePrefix(fullName, kRoomForN - 1 - kDigestLength, cut) + "~" + digestOf(fullName);
}

StudentFileNames studentFileNames(const std::string& dataDir, const std::string& fullName, const std::string& dateText) {
    const std::string n = fileNamePart(fullName);
    const std::string monthDay = dateText.substr(0, 2) + dateText.substr(3, 2);
    const auto path = [&](StudentFileKind kind) { return dataDir + "\\" + fileNameOf(kind, monthDay, n); };
    return {path(StudentFileKind::Master), path(StudentFileKind::Send), path(StudentFileKind::Notes),
            path(StudentFileKind::Draft), path(StudentFileKind::Outbox)};
}

}  // namespace cj
