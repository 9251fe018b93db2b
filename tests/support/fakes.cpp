#include "fakes.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "run_error.h"

namespace cj::test {

TempDir::TempDir() {
    // create_directory says whether it made the folder, so a name another test holds is never shared.
    std::random_device seed;
    std::mt19937_64 names(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = std::filesystem::temp_directory_path() / ("cj-test-" + std::to_string(names()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("no fresh temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
}

DriveMap drivesUnder(const std::filesystem::path& root) {
    return DriveMap([root](char letter) {
        const auto drive = root / std::string(1, letter);
        std::filesystem::create_directories(drive);
        return drive;
    });
}

StudentFileNames fileNamesOf(const std::string& typedName, const std::string& day) {
    StudentFileNames names = studentFileNames("", typedName, day);
    const auto leaveFolder = [](std::string& path) { path.erase(0, path.rfind('\\') + 1); };
    for (std::string* name : {&names.master, &names.send, &names.notes, &names.draft, &names.outbox, &names.inUse}) {
        leaveFolder(*name);
    }
    std::ranges::for_each(names.copyDrafts, leaveFolder);
    std::ranges::for_each(names.outboxes, leaveFolder);
    return names;
}

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

int errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RunError& e) {
        return e.number();
    }
    return 0;
}

std::chrono::milliseconds timeOf(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

}  // namespace cj::test
