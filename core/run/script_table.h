#pragma once

#include <string>
#include <vector>

namespace cj {

// The script lines the student steps through: slots 0 to 5000, every access range-checked.
class ScriptTable {
public:
    static constexpr long kLastSlot = 5000;

    ScriptTable();

    // Both throw RunError(kSubscriptOutOfRange) for an index outside 0..5000.
    const std::string& read(long index) const;
    void write(long index, std::string line);

private:
    static void checkIndex(long index);
    std::vector<std::string> slots_;
};

}  // namespace cj
