#include "base64.h"

namespace {

const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int valueOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string base64(const char* data, std::size_t size) {
    std::string out;
    out.reserve((size + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < size; i += 3) {
        const unsigned v = static_cast<unsigned char>(data[i]) << 16 |
                           static_cast<unsigned char>(data[i + 1]) << 8 | static_cast<unsigned char>(data[i + 2]);
        for (int shift : {18, 12, 6, 0}) out += digits[(v >> shift) & 63];
    }
    if (i < size) {
        unsigned v = static_cast<unsigned char>(data[i]) << 16;
        if (i + 1 < size) v |= static_cast<unsigned char>(data[i + 1]) << 8;
        out += digits[(v >> 18) & 63];
        out += digits[(v >> 12) & 63];
        out += i + 1 < size ? digits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string base64Decoded(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 4 * 3);
    unsigned value = 0;
    int bits = 0;
    for (const char c : text) {
        const int d = valueOf(c);
        if (d < 0) break;
        value = (value << 6) | static_cast<unsigned>(d);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((value >> bits) & 0xff);
        }
    }
    return out;
}
