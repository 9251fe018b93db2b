#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace cj::test {

// Many students recording into the one shared file at once, each in a process of its own.
inline constexpr int kStudents = 8;
inline constexpr int kResponsesEach = 500;

// One student's whole run, every drive under root; the exit code says whether all went well.
int studentProcess(const std::filesystem::path& root, int student);

// Every response of every student, each once.
std::set<std::string> allResponses();

}  // namespace cj::test
