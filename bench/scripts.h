// Scripts for measuring the compiler: the largest one the limits allow and
// scripts with one very long line.
#pragma once

#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>

namespace benchScripts {

inline const char* const kHeader = "# tool\n# 1\n# 2\n# 3\n# 4\n# 5\n";

// The largest script the limits allow: the script at every limit that the
// tests share (tests/every_limit.sc: 50 lists of 20 keys, 500 keys, 100 files,
// 50 filters of 10 extensions, 100 margs, 5000 lines). A script as its author
// means it: it draws no warning (every item is used and reached).
inline std::string largestScript() {
    std::ifstream in(TARVELKIN_EVERY_LIMIT, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string repeated(const std::string& unit, std::size_t bytes) {
    std::string s;
    s.reserve(bytes + unit.size());
    while (s.size() < bytes) s += unit;
    return s;
}

inline const std::string kTail =
    "key k\nname=K\norder=keys,disable\narg=a\nnext=disable\nkmarg=disable\nkfile=disable\n"
    "filter t\nname=T\nexten=x\nmarg m\nname=M\ninfo=i\ndef l\n";

// One "items" line of about n bytes: many names, separators and spaces.
inline std::string itemsLineScript(std::size_t n) {
    return std::string(kHeader) + "list l\nname=L\nitems = k" + repeated(" ,  k", n) + "\n" + kTail;
}

// One "exten" line of about n bytes.
inline std::string extenLineScript(std::size_t n) {
    return std::string(kHeader) + "list l\nname=L\nitems=k\nfilter e\nname=E\nexten = x" +
           repeated(" , y  z", n) + "\n" + kTail;
}

// One tooltip of about n bytes with many "<@" markers and spaces.
inline std::string tooltipScript(std::size_t n) {
    return std::string(kHeader) + "list l\nname=L\nitems=k\nmarg n\nname=N\ninfo = " +
           repeated("a <@ b<@", n) + "\n" + kTail;
}

// The smallest useful script: one list with one key, nothing unused.
inline std::string smallestScript() {
    return std::string(kHeader) +
           "list l\nname=L\nitems=k\n"
           "key k\nname=K\norder=keys,disable\narg=a\nnext=disable\nkmarg=disable\nkfile=disable\n"
           "def l\n";
}

}  // namespace benchScripts
