// Reading script text: the line the readers consume from its front, the sets
// of characters that separate and end words, cutting a word off a line, and
// comparing short texts and keywords a few bytes at a time.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

// A script line that the readers consume from the front: a view into the
// script's bytes, which its owner (the builder) keeps for the whole compile.
// Reading moves the view's start, so reading a line costs time linear in its
// length however it is cut, and no line is ever copied. A line ends at its
// first NUL byte. A line that knows a NUL byte follows its text (the script's
// lines do) is read without testing for its end at every character.
class lineText {
public:
    lineText() = default;
    explicit lineText(std::string_view text) {
        const std::size_t nul = text.find('\0');
        set(text.substr(0, std::min(text.size(), nul)));
        nulFollows = nul != std::string_view::npos;
    }
    explicit lineText(const char* text) : lineText(std::string_view(text)) { nulFollows = true; }
    // A line never owns its text: a temporary string would leave it dangling.
    explicit lineText(std::string&&) = delete;
    // A line of a text that holds no NUL byte and whose next byte is one.
    static lineText beforeNul(std::string_view text) {
        lineText line;
        line.set(text);
        line.nulFollows = true;
        return line;
    }
    // Whether the byte after what is left is a NUL that ends the line.
    bool nulAfter() const { return nulFollows; }

    std::string_view view() const { return {first, size()}; }
    const char* begin() const { return first; }
    const char* end() const { return last; }
    // Drops what is left before at, a position between begin() and end().
    void dropTo(const char* at) { first = at; }
    std::string str() const { return std::string(view()); }
    bool empty() const { return first == last; }
    std::size_t size() const { return static_cast<std::size_t>(last - first); }
    // The character at i of what is left, or NUL past its end.
    char at(std::size_t i) const { return i < size() ? first[i] : '\0'; }
    char front() const { return first != last ? *first : '\0'; }
    void dropFront(std::size_t n) { first += std::min(n, size()); }
    // Keeps the first n characters of what is left.
    void keepFront(std::size_t n) {
        if (n < size()) {
            last = first + n;
            nulFollows = false;
        }
    }

private:
    void set(std::string_view text) {
        first = text.data();
        last = text.data() + text.size();
    }

    const char* first = nullptr;
    const char* last = nullptr;
    bool nulFollows = false;
};

namespace scan {

// A set of characters, tested by table lookup.
class charSet {
public:
    constexpr explicit charSet(std::string_view chars) {
        for (char c : chars) member[static_cast<unsigned char>(c)] = true;
    }
    bool has(char c) const { return member[static_cast<unsigned char>(c)]; }
    // The first position from at on whose character is not in the set (or,
    // with inSet false, is in it); end if there is none. With nulAtEnd the
    // byte at end is a NUL and the text holds none: when a NUL stops the walk,
    // end need not be tested at every character.
    const char* skip(const char* at, const char* end, bool inSet = true, bool nulAtEnd = false) const {
        if (nulAtEnd && member[0] != inSet) {
            while (member[static_cast<unsigned char>(*at)] == inSet) ++at;
            return at;
        }
        while (at != end && member[static_cast<unsigned char>(*at)] == inSet) ++at;
        return at;
    }
    // How many leading characters of text belong to the set (or, with inSet
    // false, do not belong to it).
    std::size_t span(std::string_view text, bool inSet = true) const {
        return static_cast<std::size_t>(skip(text.data(), text.data() + text.size(), inSet) - text.data());
    }

private:
    bool member[256] = {};
};

inline constexpr charSet kWordSkip(" ,=");
inline constexpr charSet kWordEnd(std::string_view(" ,:;=\0", 6));
inline constexpr charSet kLineNoise(" :=");
inline constexpr charSet kParamSkip(" =");
inline constexpr charSet kSpace(" ");
inline constexpr charSet kParamStop(std::string_view(" ,;\0", 4));

inline void skipFront(lineText& line, const charSet& set) {
    line.dropTo(set.skip(line.begin(), line.end(), true, line.nulAfter()));
}

// Cuts the next word off the line; the view stays valid while the line's text lives.
// (Inlined everywhere: the call would cost about as much as cutting a keyword.)
[[gnu::always_inline]] inline std::string_view cutWord(lineText& line) {
    const char* const end = line.end();
    const char* const word = kWordSkip.skip(line.begin(), end, true, line.nulAfter());
    const char* const after = kWordEnd.skip(word, end, false, line.nulAfter());
    line.dropTo(after);
    return {word, static_cast<std::size_t>(after - word)};
}

// Up to eight bytes from at, as one little-endian number.
inline std::uint64_t load64(const char* at) {
    std::uint64_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}
inline std::uint32_t load32(const char* at) {
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Up to 16 bytes of a text packed into two numbers, read without a loop:
// overlapping loads from both ends, so that no byte outside the text is read.
// Two texts of one length are equal exactly when their numbers are.
struct packedText {
    std::uint64_t first = 0;
    std::uint64_t last = 0;
};
inline packedText pack(const char* p, std::size_t n) {
    if (n >= 8) return {load64(p), load64(p + n - 8)};
    if (n >= 4) return {load32(p), load32(p + n - 4)};
    if (n == 0) return {};
    return {static_cast<std::uint64_t>(static_cast<unsigned char>(p[0])) << 16 |
                static_cast<std::uint64_t>(static_cast<unsigned char>(p[n / 2])) << 8 |
                static_cast<unsigned char>(p[n - 1]),
            0};
}

}  // namespace scan

// Whether two short texts (keywords, names) are equal: compared in place,
// cheaper for a few bytes than a call to the library's comparison.
inline bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const std::size_t n = a.size();
    if (n > 16) return std::memcmp(a.data(), b.data(), n) == 0;
    const scan::packedText x = scan::pack(a.data(), n);
    const scan::packedText y = scan::pack(b.data(), n);
    return x.first == y.first && x.last == y.last;
}

// The 1-based index of the word in a keyword table known when compiling, 0
// if none. Each keyword's length is a constant, so that a comparison is a
// length test and a load or two.
template <const std::string_view* table, std::uint32_t size>
std::uint32_t keywordNumber(std::string_view word) {
    return [word]<std::uint32_t... i>(std::integer_sequence<std::uint32_t, i...>) {
        std::uint32_t number = 0;
        (void)((word.size() == table[i].size() && std::memcmp(word.data(), table[i].data(), table[i].size()) == 0
                    ? (number = i + 1, true)
                    : false) ||
               ...);
        return number;
    }(std::make_integer_sequence<std::uint32_t, size>());
}

// The word a reader cut off a line, given the line's text before the cut and
// the line after it: what was cut, without the blanks, ',' and '=' skipped.
std::string_view wordCut(std::string_view before, const lineText& after);

// Whether the word is one of the table's words when letter case is ignored.
bool inTableIgnoringCase(std::string_view word, const std::string_view* table, std::uint32_t size);
