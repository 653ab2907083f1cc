#include "parserScr.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <string>

#include "utils.h"

namespace {

using scan::cutWord;
using scan::kParamSkip;
using scan::kParamStop;
using scan::kSpace;
using scan::skipFront;

// Appends text without its 0x01 bytes, which separate the parts of a filter text.
void appendWithoutSeparators(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c != '\x01') out += c;
    }
}

// "; keywords are lower case" when the word is a keyword in other letters.
std::string caseHint(std::string_view word, const std::string_view* table, std::uint32_t size) {
    return inTableIgnoringCase(word, table, size) ? "; keywords are lower case" : "";
}

// What is wrong with an order line whose word at position words (from 0) is no
// order word; the line is left as it stands behind that word.
std::string orderProblem(std::string_view word, unsigned words, const lineText& line,
                         const std::string_view* table, std::uint32_t size) {
    const std::string expected = expectedWords(table, size);
    if (!word.empty())
        return "unknown order word " + inQuotes(word) + expected + caseHint(word, table, size);
    if (line.front() == ':') return "\":\" does not separate order words; write order = keys path value";
    if (words == 0) return "the order line holds no word" + expected;
    return "the order line ends after " + std::to_string(words) + (words == 1 ? " word" : " words") +
           "; end a shorter order with disable, as in order = keys, disable";
}

}  // namespace

std::string_view parserScr::caption(lineText& line) {
    skipFront(line, kSpace);
    if (line.front() == '-' || line.front() == '=') line.dropFront(1);
    return takeUntil(line, ';');
}

std::string parserScr::deleteWodrd(std::string_view text, char mark) {
    return std::string(text.substr(0, text.find(mark)));
}

std::string_view parserScr::takeUntil(lineText& line, char mark) {
    const std::string_view rest = line.view();
    line.dropFront(rest.size());
    return rest.substr(0, rest.find(mark));
}

void parserScr::unknownAction(std::string_view word, const std::string_view* table, std::uint32_t size,
                              const std::uint32_t& lineIndex) {
    const std::string found =
        word.empty() ? std::string("the action word is missing") : "unknown action " + inQuotes(word);
    error.throwErr(error.keywordErr, lineIndex, 1, 1,
                   found + expectedWords(table, size) + caseHint(word, table, size), spanOf(word));
}

void parserScr::unknownOrderWord(std::string_view word, unsigned words, const lineText& line,
                                 const std::uint32_t& lineIndex) {
    error.throwErr(error.keywordErr, lineIndex, 1, 2, orderProblem(word, words, line, orderKW, ORDER_KW_SUM),
                   spanOf(word));
}

std::string_view parserScr::getHeaderItem(lineText& line, const std::uint32_t& lineIndex) {
    symbDel(line);
    if (line.empty()) return {};
    if (line.front() != '#') {
        const bool byteOrderMark = line.view().substr(0, 3) == "\xEF\xBB\xBF";
        error.throwErr(error.headerErr, lineIndex, 1, 1,
                       "expected a header line beginning with \"#\", found " + inQuotes(line.view()) +
                           (byteOrderMark ? " (the file begins with a byte order mark: save it without one)"
                                          : " (the header is the first six lines with content)"),
                       spanOf(line.view()));
    }
    line.dropFront(1);
    symbDel(line);
    return line.view();
}

std::string parserScr::getParam(lineText& text, bool& more) {
    std::string scratch;
    return std::string(paramView(text, more, scratch));
}

std::string_view parserScr::paramView(lineText& text, bool& more, std::string& scratch) {
    const char* const end = text.end();
    const bool nulAtEnd = text.nulAfter();
    const char* const start = kParamSkip.skip(text.begin(), end, true, nulAtEnd);
    const char* at = kParamStop.skip(start, end, false, nulAtEnd);
    std::string_view param(start, static_cast<std::size_t>(at - start));
    if (at != end && *at == ' ') {
        // Spaces inside a parameter are dropped: the runs between them are
        // joined in scratch.
        scratch.assign(param);
        for (;;) {
            const char* const run = ++at;
            at = kParamStop.skip(run, end, false, nulAtEnd);
            scratch.append(run, static_cast<std::size_t>(at - run));
            if (at == end || *at != ' ') break;
        }
        param = scratch;
    }
    more = at != end && *at == ',';
    // The walk stopped at a ',' or ';' (removed with what was read) or at the end.
    text.dropTo(at == end ? end : at + 1);
    return param;
}

std::string_view parserScr::paramAsWritten(std::string_view taken) {
    taken.remove_prefix(kParamSkip.span(taken));
    if (!taken.empty() && (taken.back() == ',' || taken.back() == ';')) taken.remove_suffix(1);
    while (!taken.empty() && taken.back() == ' ') taken.remove_suffix(1);
    return taken;
}

const char* parserScr::lineStartOf(std::string_view text) const {
    const char* const script = scriptText.data();
    const std::less_equal<const char*> notAfter;
    if (script == nullptr || text.data() == nullptr || !notAfter(script, text.data()) ||
        !notAfter(text.data() + text.size(), script + scriptText.size()))
        return nullptr;
    const std::size_t at = static_cast<std::size_t>(text.data() - script);
    if (lineStarts != nullptr && !lineStarts->empty())
        return script + *(std::upper_bound(lineStarts->begin(), lineStarts->end(), at) - 1);
    const std::size_t lineEnd = scriptText.substr(0, at).find_last_of(std::string_view("\n\0", 2));
    return script + (lineEnd == std::string_view::npos ? 0 : lineEnd + 1);
}

textSpan parserScr::spanOf(std::string_view text) const {
    const char* const lineStart = lineStartOf(text);
    if (lineStart == nullptr) return {};
    return {static_cast<std::uint32_t>(text.data() - lineStart) + 1, static_cast<std::uint32_t>(text.size())};
}

textSpan parserScr::keywordSpanOf(std::string_view text) const {
    const char* const lineStart = lineStartOf(text);
    if (lineStart == nullptr) return {};
    // The line read again from its start, as the section readers read it.
    lineText line(std::string_view(lineStart, static_cast<std::size_t>(text.data() + text.size() - lineStart)));
    skipFront(line, scan::kLineNoise);
    return spanOf(cutWord(line));
}

void parserScr::redefClear() {
    for (bool& flag : redefFlags) flag = false;
}


void parserScr::setEndlForToolTip(std::string& text) { text.resize(setEndlForToolTip(text.data(), text.size())); }

std::size_t parserScr::setEndlForToolTip(char* const data, std::size_t size) {
    // Each marker becomes one character, so the text is rewritten in place,
    // from the first '<' on, byte by byte. After eight bytes without a '<'
    // the text is taken to be sparse in markers: eight bytes at a time are
    // then tested for a '<' and, without one, moved at once.
    const std::size_t first = std::string_view(data, size).find('<');
    if (first == std::string_view::npos) return size;
    const char* in = data + first;
    const char* const end = data + size;
    char* out = data + first;
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    unsigned run = 0;  // bytes since the last '<'
    while (in != end) {
        if (*in == '<') {
            if (in + 1 != end && in[1] == '@') {
                *out++ = '\n';
                in += 2;
            } else {
                *out++ = *in++;
            }
            run = 0;
            continue;
        }
        *out++ = *in++;
        if (++run < 8) continue;
        while (end - in >= 8) {
            const std::uint64_t word = scan::load64(in);
            const std::uint64_t x = word ^ (kOnes * '<');
            if (((x - kOnes) & ~x & kHighs) != 0) break;  // a byte of x is zero: a '<'
            // Writing behind the reading position clobbers nothing unread.
            std::memcpy(out, &word, sizeof word);
            in += 8;
            out += 8;
        }
        run = 0;
    }
    return static_cast<std::size_t>(out - data);
}

std::string parserScr::createFilter(lineText& text, droppedNames* dropped, dottedExtensions* dotted) {
    // The extensions are read first, each without its 0x01 bytes (a copy is
    // kept only for one that had some, or whose spaces were dropped), and the
    // text is then written once into a string of its final size.
    std::string_view extensions[MAX_EXTENSION_SUM];
    std::string kept[MAX_EXTENSION_SUM];
    std::size_t count = 0;
    std::size_t bytes = 0;
    std::string scratch;
    bool more = true;
    while (more) {
        const char* const from = text.begin();
        const std::string_view extension = paramView(text, more, scratch);
        if (count == MAX_EXTENSION_SUM) {
            // The eleventh extension has been read and is dropped, and with it the rest.
            if (dropped == nullptr) break;
            dropped->add(std::string(extension),
                         paramAsWritten({from, static_cast<std::size_t>(text.begin() - from)}));
            if (dropped->complete()) break;
            continue;
        }
        std::string_view& slot = extensions[count];
        slot = extension;
        if (extension.data() == scratch.data() || extension.find('\x01') != std::string_view::npos) {
            kept[count].clear();
            appendWithoutSeparators(kept[count], extension);
            slot = kept[count];
        }
        if (dotted != nullptr && !slot.empty() && (slot[0] == '.' || (slot[0] == '*' && slot.size() > 1 && slot[1] == '.')))
            [[unlikely]] {
            const std::string_view written = paramAsWritten({from, static_cast<std::size_t>(text.begin() - from)});
            dotted->written[dotted->count++] = {written.data(), written.size()};
        }
        bytes += slot.size();
        ++count;
    }
    // "(*." ... ")" and "\x01*." ... "\x01", with ", *." and ";*." between extensions.
    std::string out(2 * bytes + 7 * count + 1, '\0');
    char* at = out.data();
    const auto put = [&at](std::string_view part) {
        std::memcpy(at, part.data(), part.size());
        at += part.size();
    };
    for (std::size_t n = 0; n < count; ++n) {
        put(n == 0 ? "(*." : ", *.");
        put(extensions[n]);
    }
    put(")");
    for (std::size_t n = 0; n < count; ++n) {
        put(n == 0 ? "\x01*." : ";*.");
        put(extensions[n]);
    }
    put("\x01");
    return out;
}
