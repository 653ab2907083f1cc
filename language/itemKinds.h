// The kinds of item a script names, and what the compiler, the script writer
// and the diagnostics need to know of each: one row per kind.
#pragma once

#include <cstdint>
#include <string_view>

#include "keywords.h"

// Item kinds, numbered as their section keywords stand in itemKW, from 1. 0
// stands for the header, which is read before any section.
inline constexpr std::uint32_t HEADER_PART = 0;
inline constexpr std::uint32_t LIST_KIND = 1;
inline constexpr std::uint32_t KEY_KIND = 2;
inline constexpr std::uint32_t FILE_KIND = 3;
inline constexpr std::uint32_t FILTER_KIND = 4;
inline constexpr std::uint32_t MARG_KIND = 5;
inline constexpr std::uint32_t DEF_KIND = 6;

struct itemKind {
    std::string_view name;               // in messages: "list", "key", "file item", ...
    std::string_view keyword;            // the section keyword
    const std::string_view* parameters;  // the section's parameter keywords (none for def)
    std::uint32_t parameterCount;        // also the slots after which a section ends
    std::uint32_t firstNumber;           // the first item's number, where the kind's counter starts
    std::uint32_t most;                  // the most items of the kind a script may hold
    // In a key and a file item one parameter decides whether another is
    // wanted, and then fills its slot: an order without keys takes no arg, a
    // folder browser (action dir) no filters. Indexes into parameters from 1;
    // 0 for the kinds without such a pair.
    std::uint32_t decidingParameter;
    std::uint32_t dependentParameter;

    // The highest value the counter may reach once an item's name is entered:
    // the number the next item would get. Beyond it the item is one too many.
    constexpr std::uint32_t counterLimit() const { return firstNumber + most; }
    // The items a counter has numbered.
    constexpr std::uint32_t count(std::uint32_t counter) const { return counter - firstNumber; }
};

inline constexpr itemKind itemKinds[DEF_KIND + 1] = {
    {"header", "", nullptr, 0, 0, 0, 0, 0},
    {"list", itemKW[LIST_KIND - 1], kListKW, KLIST_KW_SUM, 1, 50, 0, 0},
    {"key", itemKW[KEY_KIND - 1], keyKW, KEY_KW_SUM, 0, 500, 2, 3},              // order, arg
    {"file item", itemKW[FILE_KIND - 1], fileKW, FILE_KW_SUM, 1, 100, 2, 3},      // action, filters
    {"filter", itemKW[FILTER_KIND - 1], filterKW, FILTER_KW_SUM, 0, 50, 0, 0},
    {"marg", itemKW[MARG_KIND - 1], margKW, MARG_KW_SUM, 1, 100, 0, 0},
    {"def", itemKW[DEF_KIND - 1], nullptr, 0, 0, 0, 0, 0},
};

// The row of a kind; a number beyond def reads as the header's row.
constexpr const itemKind& kindOf(std::uint32_t kind) { return itemKinds[kind <= DEF_KIND ? kind : HEADER_PART]; }

// The deciding and dependent parameters are the ones the section readers treat so.
static_assert(itemKinds[KEY_KIND].parameters[itemKinds[KEY_KIND].decidingParameter - 1] == "order" &&
              itemKinds[KEY_KIND].parameters[itemKinds[KEY_KIND].dependentParameter - 1] == "arg");
static_assert(itemKinds[FILE_KIND].parameters[itemKinds[FILE_KIND].decidingParameter - 1] == "action" &&
              itemKinds[FILE_KIND].parameters[itemKinds[FILE_KIND].dependentParameter - 1] == "filters");
