#include "script_table.h"

#include "run_error.h"

namespace cj {

ScriptTable::ScriptTable() : slots_(kLastSlot + 1) {}

void ScriptTable::checkIndex(long index) {
    if (index < 0 || index > kLastSlot) throw RunError(kSubscriptOutOfRange);
}

const std::string& ScriptTable::read(long index) const {
    checkIndex(index);
    return slots_[static_cast<std::size_t>(index)];
}

void ScriptTable::write(long index, std::string line) {
    checkIndex(index);
    slots_[static_cast<std::size_t>(index)] = std::move(line);
}

}  // namespace cj
