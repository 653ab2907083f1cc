// The table of item names: name -> item number, one table per kind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "scan.h"

// Item name -> item number, one table per kind. Names compare byte for byte.
// The names live in one array (open addressing) as views: the table holds no
// text of its own, and a name's text must outlive the table. Names are short:
// they are hashed a machine word at a time, each word mixed in by a multiply.
class nameMap {
public:
    // Room for this many names without growing.
    void reserve(std::size_t names);
    // Enters the name under the number; false, and nothing changes, when the
    // table holds the name already.
    bool emplace(std::string_view name, std::uint32_t number);
    // The number entered under the name, or nullptr.
    const std::uint32_t* find(std::string_view name) const;
    // The same; throws std::out_of_range for a name not entered.
    std::uint32_t at(std::string_view name) const;
    std::size_t size() const { return count; }

private:
    struct slot {
        std::string_view name;
        std::uint32_t number = 0;
        bool used = false;
    };
    static std::uint64_t hashOf(std::string_view name);
    // The slot of the name, or the free slot where it would go.
    std::size_t slotOf(std::string_view name) const;

    std::vector<slot> slots;  // a power of two in size, at most half used
    std::size_t mask = 0;     // slots.size() - 1
    unsigned indexShift = 0;  // 64 less the bits of a slot index
    std::size_t count = 0;
};

// Lookups are on the hot path of every reference: inlined where they are made.
inline std::uint64_t nameMap::hashOf(std::string_view name) {
    // Names up to 16 bytes (nearly all) are read in two overlapping words;
    // longer ones are folded eight bytes at a time. A multiply carries every
    // bit of its input into the high bits of its product only, so the table
    // is indexed by the top bits of the last product.
    constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15ULL;
    const char* p = name.data();
    std::size_t n = name.size();
    std::uint64_t h = n;
    for (; n > 16; n -= 8, p += 8) h = (h ^ scan::load64(p)) * kMix;
    const scan::packedText words = scan::pack(p, n);
    h = (h ^ words.first) * kMix;
    return (h ^ words.last) * kMix;
}

inline std::size_t nameMap::slotOf(std::string_view name) const {
    std::size_t index = static_cast<std::size_t>(hashOf(name) >> indexShift);
    while (slots[index].used && !sameText(slots[index].name, name)) index = (index + 1) & mask;
    return index;
}

inline const std::uint32_t* nameMap::find(std::string_view name) const {
    if (slots.empty()) return nullptr;
    const slot& entry = slots[slotOf(name)];
    return entry.used ? &entry.number : nullptr;
}
