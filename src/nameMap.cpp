#include "nameMap.h"

#include <algorithm>
#include <stdexcept>
#include <string>

void nameMap::reserve(std::size_t names) {
    std::size_t slotCount = 64;
    unsigned shift = 64 - 6;
    for (; slotCount < 2 * names; slotCount *= 2) --shift;
    if (slotCount <= slots.size()) return;
    std::vector<slot> old(slotCount);
    old.swap(slots);
    mask = slotCount - 1;
    indexShift = shift;
    for (const slot& entry : old)
        if (entry.used) slots[slotOf(entry.name)] = entry;
}

bool nameMap::emplace(std::string_view name, std::uint32_t number) {
    if (2 * (count + 1) > slots.size()) reserve(std::max<std::size_t>(32, slots.size()));
    slot& entry = slots[slotOf(name)];
    if (entry.used) return false;
    entry.name = name;
    entry.number = number;
    entry.used = true;
    ++count;
    return true;
}

std::uint32_t nameMap::at(std::string_view name) const {
    const std::uint32_t* number = find(name);
    if (number == nullptr) throw std::out_of_range("no item named " + std::string(name));
    return *number;
}
