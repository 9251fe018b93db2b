#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cj::test {

// Tests that need other processes start this very test program again, in a named role.
using ChildRole = int (*)(const std::vector<std::wstring>& args);

// Makes a role available to the children; returns true, to initialise a namespace-scope constant.
bool addChildRole(const std::wstring& name, ChildRole role);

// When this process was started as a child, runs its role and gives the role's exit code.
std::optional<int> runChildRole();

class ChildProcess {
public:
    ChildProcess(const std::wstring& role, const std::vector<std::wstring>& args);
    ~ChildProcess();  // ends a child that still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int wait();

private:
    void* process_;
};

}  // namespace cj::test
