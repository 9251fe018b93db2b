#include "child_process.h"

#include <windows.h>
#include <shellapi.h>

#include <map>
#include <stdexcept>

namespace cj::test {

namespace {

const std::wstring kChildFlag = L"--child-role";

std::map<std::wstring, ChildRole>& roles() {
    static std::map<std::wstring, ChildRole> all;
    return all;
}

// Arguments here are names and paths, which hold no quotes and end in no backslash.
std::wstring quoted(const std::wstring& argument) { return L"\"" + argument + L"\""; }

}  // namespace

bool addChildRole(const std::wstring& name, ChildRole role) {
    roles()[name] = role;
    return true;
}

std::optional<int> runChildRole() {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments) return std::nullopt;
    const std::vector<std::wstring> all(arguments, arguments + count);
    ::LocalFree(arguments);
    if (all.size() < 3 || all[1] != kChildFlag) return std::nullopt;
    const auto role = roles().find(all[2]);
    if (role == roles().end()) return 2;
    return role->second({all.begin() + 3, all.end()});
}

ChildProcess::ChildProcess(const std::wstring& role, const std::vector<std::wstring>& args) {
    wchar_t self[MAX_PATH];
    if (!::GetModuleFileNameW(nullptr, self, MAX_PATH)) throw std::runtime_error("no module file name");
    std::wstring commandLine = quoted(self) + L" " + kChildFlag + L" " + quoted(role);
    for (const auto& argument : args) commandLine += L" " + quoted(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        throw std::runtime_error("CreateProcessW failed");
    }
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
}

ChildProcess::~ChildProcess() {
    if (::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) ::TerminateProcess(process_, 1);
    ::CloseHandle(process_);
}

int ChildProcess::wait() {
    ::WaitForSingleObject(process_, INFINITE);
    DWORD code = 1;
    ::GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

}  // namespace cj::test
