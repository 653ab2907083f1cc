// Prints the arguments a program received, so that a test can compare them
// exactly with the words it meant to pass: the count on the first line, then
// one line per argument after the program name with the hexadecimal of its
// bytes (UTF-8 on Windows), an empty argument giving an empty line. Blanks,
// quotes, line ends and non-ASCII text survive any pipe this way.
//
// On Windows the arguments are those the C runtime parses from the command
// line (wmain), the parser every program built with it uses.
#include <cstdio>
#include <string>

namespace {

void printHex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string line;
    for (unsigned char c : bytes) {
        line += digits[c >> 4];
        line += digits[c & 15];
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

namespace {

std::string utf8Of(const wchar_t* text) {
    std::string out;
    for (const wchar_t* p = text; *p != 0; ++p) {
        unsigned long c = static_cast<unsigned long>(*p);
        if (c >= 0xD800 && c < 0xDC00 && p[1] >= 0xDC00 && p[1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<unsigned long>(*++p) - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    std::printf("%d\n", argc - 1);
    for (int i = 1; i < argc; ++i) printHex(utf8Of(argv[i]));
    return 0;
}
#else
int main(int argc, char** argv) {
    std::printf("%d\n", argc - 1);
    for (int i = 1; i < argc; ++i) printHex(argv[i]);
    return 0;
}
#endif
