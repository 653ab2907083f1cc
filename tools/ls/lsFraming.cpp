#include "lsFraming.h"

#include <algorithm>
#include <cctype>

namespace {

// The header is short; a longer one is no header of this protocol.
constexpr std::size_t kMostHeaderBytes = 4096;

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// A header text for a message: printable, and short.
std::string shown(std::string_view text) {
    std::string out;
    for (char c : text.substr(0, 60)) {
        const auto byte = static_cast<unsigned char>(c);
        out += byte >= 0x20 && byte < 0x7F ? c : '?';
    }
    return "\"" + out + (text.size() > 60 ? "...\"" : "\"");
}

}  // namespace

void messageReader::feed(std::string_view bytes) {
    if (failed) return;
    // What has been taken is dropped once it is most of the buffer.
    if (start > 0 && start * 2 >= buffer.size()) {
        buffer.erase(0, start);
        start = 0;
    }
    buffer.append(bytes);
}

messageReader::status messageReader::fail(std::string text) {
    failed = true;
    why = std::move(text);
    return status::bad;
}

messageReader::status messageReader::next(std::string& body) {
    if (failed) return status::bad;
    const std::string_view rest = std::string_view(buffer).substr(start);
    const std::size_t end = rest.find("\r\n\r\n");
    if (end == std::string_view::npos) {
        if (rest.size() > kMostHeaderBytes) return fail("a message header longer than 4096 bytes, or none");
        return status::needMore;
    }
    if (end > kMostHeaderBytes) return fail("a message header longer than 4096 bytes");
    std::size_t length = 0;
    bool lengthSeen = false;
    std::string_view header = rest.substr(0, end + 2);  // each line with its CR LF
    while (!header.empty()) {
        const std::size_t lineEnd = header.find("\r\n");
        const std::string_view line = header.substr(0, lineEnd);
        header.remove_prefix(lineEnd + 2);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0)
            return fail("a message header line that is no \"Name: value\": " + shown(line));
        if (line.find('\n') != std::string_view::npos || line.find('\r') != std::string_view::npos)
            return fail("a message header line not ended by CR LF: " + shown(line));
        const std::string_view name = line.substr(0, colon);
        const std::string_view value = trimmed(line.substr(colon + 1));
        if (sameName(name, "Content-Type")) continue;
        if (!sameName(name, "Content-Length"))
            return fail("an unknown message header " + shown(name) + "; expected Content-Length or Content-Type");
        if (lengthSeen) return fail("a message header with two Content-Length lines");
        lengthSeen = true;
        if (value.empty() || value.size() > 12 ||
            !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return fail("a Content-Length that is no number of bytes: " + shown(value));
        for (char c : value) length = length * 10 + static_cast<std::size_t>(c - '0');
        if (length > kMostMessageBytes)
            return fail("a message of " + std::string(value) + " bytes; at most " + std::to_string(kMostMessageBytes) +
                        " are taken");
    }
    if (!lengthSeen) return fail("a message header without Content-Length");
    const std::size_t bodyStart = end + 4;
    if (rest.size() - bodyStart < length) return status::needMore;
    body.assign(rest.substr(bodyStart, length));
    start += bodyStart + length;
    return status::message;
}

std::string framed(std::string_view body) {
    std::string out = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    out.append(body);
    return out;
}

namespace {

// The code unit of a "\uXXXX" escape at text[at] (at the backslash), or -1.
long escapedUnit(std::string_view text, std::size_t at) {
    if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u') return -1;
    long unit = 0;
    for (std::size_t i = at + 2; i < at + 6; ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

}  // namespace

std::string loneSurrogatesReplaced(std::string_view body) {
    std::string out;
    std::size_t copied = 0;  // body up to here is in out
    bool inString = false;
    for (std::size_t at = 0; at < body.size(); ++at) {
        const char c = body[at];
        if (!inString) {
            inString = c == '"';
            continue;
        }
        if (c == '"') {
            inString = false;
            continue;
        }
        if (c != '\\') continue;
        const long unit = escapedUnit(body, at);
        if (unit < 0xD800 || unit > 0xDFFF) {
            ++at;  // the escaped character, whatever it is
            continue;
        }
        const long next = unit < 0xDC00 ? escapedUnit(body, at + 6) : -1;
        if (next >= 0xDC00 && next <= 0xDFFF) {
            at += 11;  // a whole pair
            continue;
        }
        out.append(body.substr(copied, at - copied)).append("\\ufffd");
        at += 5;
        copied = at + 1;
    }
    if (copied == 0) return {};
    out.append(body.substr(copied));
    return out;
}
