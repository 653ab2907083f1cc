// The script language's fixed vocabulary and the limits shared by the reader,
// the config builder and the script writer. Keyword matching is exact and
// case-sensitive. The facts of each item kind are in itemKinds.h.
#pragma once

#include <cstdint>
#include <string_view>

// Section keywords; findKW numbers them from 1: list, key, file, filter, marg, def.
inline constexpr std::uint32_t ITEM_KW_SUM = 6;
inline constexpr std::string_view itemKW[ITEM_KW_SUM] = {"list", "key", "file", "filter", "marg", "def"};

inline constexpr std::uint32_t KLIST_KW_SUM = 2;
inline constexpr std::string_view kListKW[KLIST_KW_SUM] = {"name", "items"};

inline constexpr std::uint32_t KEY_KW_SUM = 6;
inline constexpr std::string_view keyKW[KEY_KW_SUM] = {"name", "order", "arg", "next", "kmarg", "kfile"};

inline constexpr std::uint32_t ORDER_KW_SUM = 4;
inline constexpr std::string_view orderKW[ORDER_KW_SUM] = {"path", "keys", "value", "disable"};

inline constexpr std::uint32_t FILE_KW_SUM = 3;
inline constexpr std::string_view fileKW[FILE_KW_SUM] = {"name", "action", "filters"};

// Action words; getFlag numbers them from 0, and that index is the file record's action byte.
inline constexpr std::uint32_t FILE_FLAG_KW_SUM = 3;
inline constexpr std::string_view fileFlagsKW[FILE_FLAG_KW_SUM] = {"load", "save", "dir"};

inline constexpr std::uint32_t FILTER_KW_SUM = 2;
inline constexpr std::string_view filterKW[FILTER_KW_SUM] = {"name", "exten"};

inline constexpr std::uint32_t MARG_KW_SUM = 2;
inline constexpr std::string_view margKW[MARG_KW_SUM] = {"name", "info"};

// The word that switches a key's reference off, and the tooltip line-break marker.
inline constexpr std::string_view DISABLE = "disable";
inline constexpr std::string_view KS_TOOL_TIP_ENDL = "<@";

inline constexpr std::uint32_t MAX_SCR_LINE = 5000;     // most lines a script may have
inline constexpr std::uint32_t MAX_EXTENSION_SUM = 10;  // extensions taken from one "exten" line
inline constexpr std::uint32_t MAX_ITEMS_SUM = 20;      // key names taken from one "items" line
inline constexpr std::uint32_t MAX_FILTERS_SUM = 5;     // filter names taken from one "filters" line
inline constexpr std::uint32_t PARAM_FLAG_SUM = 7;      // redefinition flags, indexed from 1
inline constexpr std::uint16_t THIS_CNF_VERSION = 2;

inline constexpr std::uint8_t LOAD = 0;
inline constexpr std::uint8_t SAVE = 1;
inline constexpr std::uint8_t DIR = 2;

inline constexpr std::uint32_t STR_VAL_NOT_FOUND = 0xFFFFFFFF;
