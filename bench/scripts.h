// Scripts for measuring the compiler: the largest one the limits allow and
// scripts with one very long line.
#pragma once

#include <cstddef>
#include <string>

namespace benchScripts {

inline const char* const kHeader = "# tool\n# 1\n# 2\n# 3\n# 4\n# 5\n";

// 50 lists, 500 keys, 100 files, 50 filters, 100 margs, long captions, padded
// with comment lines to the 5000 lines a script may have. A script as its
// author means it: it draws no warning (values follow "=" directly, every
// item is used).
inline std::string largestScript() {
    const std::string caption(60, 'c');
    std::string s = kHeader;
    for (int l = 0; l < 50; ++l) {
        s += "list list" + std::to_string(l) + "\nname=" + caption + "\nitems = ";
        for (int k = 0; k < 10; ++k) s += (k ? ", key" : "key") + std::to_string(l * 10 + k);
        s += "\n";
    }
    for (int k = 0; k < 500; ++k) {
        const std::string n = std::to_string(k);
        s += "key key" + n + "\nname=" + caption + "\norder = keys path value\narg=--option-" + n +
             "\nnext = list" + std::to_string(k % 50) + "\nkmarg = marg" + std::to_string(k % 100) +
             "\nkfile = file" + std::to_string(k % 100) + "\n";
    }
    for (int f = 0; f < 100; ++f) {
        s += "file file" + std::to_string(f) + "\nname=" + caption + "\naction = load\nfilters = ";
        for (int t = 0; t < 5; ++t) s += (t ? ", filter" : "filter") + std::to_string((f * 5 + t) % 50);
        s += "\n";
    }
    for (int t = 0; t < 50; ++t) {
        s += "filter filter" + std::to_string(t) + "\nname=" + caption +
             "\nexten = a, b, c, d, e, f, g, h, i, j\n";
    }
    for (int m = 0; m < 100; ++m) {
        s += "marg marg" + std::to_string(m) + "\nname=" + caption + "\ninfo=" + caption + "<@" +
             caption + "\n";
    }
    s += "def list0\n";
    // 4999 line feeds make 5000 lines, the last one empty.
    std::size_t feeds = 0;
    for (char c : s) feeds += (c == '\n');
    for (; feeds < 4999; ++feeds) s += "; padding\n";
    return s;
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
