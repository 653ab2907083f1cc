// Reads a compiled config (.cc) back into plain records and checks every
// promise the format makes to its readers. It is written from the format alone,
// not from the compiler's writer, so that it can check that writer.
//
// The file, in order: a 26-byte header, K key records of 10 bytes, N file
// records of 2 bytes, L uint16 list sizes, I uint16 list item entries (key
// numbers), F uint8 file filter entries (filter numbers), then the string area
// of 0-terminated strings. All integers are little-endian. Keys and filters are
// numbered from 0; lists, file items and margs from 1, 0 meaning "none".
//
// What a valid file satisfies, and this reader checks:
// - it starts with "cnf v." and the uint16 version 2;
// - every section fits in the file, and the string area ends it exactly;
// - fileRef <= N, margRef <= M, listRef <= L, defListIndex < L, every list
//   item entry < K, every file filter entry < T;
// - a list owns between 1 and 20 item entries; a load or save file owns between
//   1 and 5 filter entries, a dir file none; strNum is 1 or 2; action is 0..2;
// - the order byte has bits 6-7 clear and no two elements at one position, and
//   strNum is 2 exactly when the order places "keys" (the key then has an arg
//   string);
// - I is the sum of the list sizes, F the sum of the files' filterCount;
// - allStrSum = 6 + L + (sum of strNum) + N + 2M + T, and the string area holds
//   exactly that many 0-terminated strings, nothing after the last one.
// The reserved bytes 7 and 9 of a key record carry no meaning: any value is
// accepted and kept as read (the compiler writes 0). Item counts are not checked against the compiler's
// item limits (50 lists, 500 keys, ...): the format itself does not bound them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The 26-byte header, field by field. The signature is checked, not kept.
struct cnfHeader {
    std::uint16_t version = 0;
    std::uint16_t allStrSum = 0;     // strings in the string area
    std::uint16_t defListIndex = 0;  // default list number - 1
    std::uint16_t listNum = 0;       // L
    std::uint16_t listItemNum = 0;   // I
    std::uint16_t fileFilterNum = 0; // F
    std::uint16_t keyNum = 0;        // K
    std::uint16_t fileNum = 0;       // N
    std::uint16_t filterNum = 0;     // T
    std::uint16_t margNum = 0;       // M
};

// A key's order byte and the three positions (1 to 3, 0 = absent) it holds:
// bits 0-1 the file path, bits 2-3 the key data, bits 4-5 the marg value.
struct cnfOrder {
    std::uint8_t byte = 0;
    std::uint8_t pathPos = 0;
    std::uint8_t keysPos = 0;
    std::uint8_t valuePos = 0;
};

// One key: its record and its strings.
struct cnfKey {
    std::uint16_t fileRef = 0;  // file item number, 0 = none
    std::uint16_t margRef = 0;  // marg number, 0 = none
    std::uint16_t listRef = 0;  // list number it leads to, 0 = none
    std::uint8_t strNum = 0;    // 1 (name) or 2 (name and arg)
    std::uint8_t reserved7 = 0;  // the record's bytes 7 and 9, as read
    std::uint8_t reserved9 = 0;
    cnfOrder order;
    std::string name;           // caption
    std::string arg;            // key data; empty when strNum is 1
};

// One file item: its record, its filter entries and its caption.
struct cnfFile {
    std::uint8_t action = 0;       // 0 load, 1 save, 2 dir
    std::uint8_t filterCount = 0;  // = filters.size()
    std::vector<std::uint8_t> filters;  // filter numbers, in script order
    std::string name;
};

// One list: its caption and its item entries (key numbers).
struct cnfList {
    std::string name;
    std::vector<std::uint16_t> keys;
};

// One marg: caption and tooltip (a line break is the byte 0x0A).
struct cnfMarg {
    std::string name;
    std::string info;
};

// A whole config. Vector index = item number for keys and filters, item
// number - 1 for lists, file items and margs.
struct cnfConfig {
    cnfHeader header;
    std::array<std::string, 6> headerItems;
    std::vector<cnfKey> keys;
    std::vector<cnfFile> files;
    std::vector<cnfList> lists;
    std::vector<cnfMarg> margs;
    // Display texts: name and readable part, 0x01, patterns, 0x01.
    std::vector<std::string> filters;
};

enum class cnfReadStatus : std::uint8_t {
    valid,       // config holds the file
    malformed,   // the bytes break the format; offset and message say where
    unreadable,  // the file could not be opened or read (readCnfFile only)
};

struct cnfReadResult {
    cnfReadStatus status = cnfReadStatus::unreadable;
    cnfConfig config;         // complete only when status is valid
    std::size_t offset = 0;   // malformed: the byte offset the message names
    // malformed: "offset N: <what was found>, expected <what>", e.g.
    // "offset 8: allStrSum is 12, expected 14 (6 + 1 + 3 + 1 + 2 + 1)";
    // unreadable: why the file could not be read. Empty when valid.
    std::string message;

    bool ok() const { return status == cnfReadStatus::valid; }
};

// Reads a config from its bytes. Never reads outside them and never throws
// for any content (only std::bad_alloc can escape). The first broken promise,
// in file order of the evidence, is reported; sums and allStrSum are checked
// once the sections they add up have been read.
cnfReadResult readCnf(std::string_view bytes);

// Reads the whole file at path in binary mode, then readCnf. A missing file,
// a folder or a read failure gives status unreadable and a message without the
// path: "is a folder, not a file", or "cannot be opened: " or "cannot be read: "
// and the system's reason ("No such file or directory").
cnfReadResult readCnfFile(const std::string& path);

// ---- the format's small helpers, for everything that shows a config ----

// A number in decimal, as every message and rendering writes it.
std::string num(std::size_t value);

// The three insertion elements in the order the key inserts them, as words
// "path", "keys", "value" separated by single blanks; "none" when the order
// places nothing.
std::string orderWords(const cnfOrder& order);

// "load", "save", "dir" for actions 0 to 2, "?" for any other value.
std::string_view actionWord(std::uint8_t action);

// A filter's display text taken apart at its 0x01 bytes. Any text can be
// taken apart: a text without a 0x01 is all readable part, one with a single
// 0x01 has no trailing part.
struct cnfFilterParts {
    std::string_view readable;  // before the first 0x01: "Text files(*.txt, *.log)"
    std::string_view patterns;  // between the first and the second: "*.txt;*.log"
    std::string_view trailing;  // after the second; empty in every text the compiler writes
    // Whether the text has exactly the shape the compiler writes, NAME "(*." E1
    // ", *." E2 ... ")" 0x01 "*." E1 ";*." E2 ... 0x01, the same extensions in
    // both lists and nothing after the second 0x01. Only then are name
    // ("Text files") and extensions ("txt", "log") filled.
    bool compilerShape = false;
    std::string_view name;
    std::vector<std::string_view> extensions;
};
cnfFilterParts splitFilter(std::string_view text);
