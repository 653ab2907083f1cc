#include "files.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "filesShared.h"

namespace fs = std::filesystem;

bool isFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(fs::path(path), ec);
}

std::error_code resolveLinks(const std::string& path, std::string& target) {
    fs::path p(path);
    for (int step = 0; step <= 40; ++step) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(p, ec);
        // Nothing there ends the chain at a file yet to be made; any other
        // failed look-up leaves it unknown whether a link stands there.
        if (ec && status.type() != fs::file_type::not_found) return ec;
        if (!fs::is_symlink(status)) {
            target = p.string();
            return {};
        }
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) return ec;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return std::make_error_code(std::errc::too_many_symbolic_link_levels);
}

std::string_view folderPart(pathStyle style, std::string_view target) {
    const std::size_t separator =
        target.find_last_of(style == pathStyle::windows ? std::string_view("/\\") : "/");
    if (separator != std::string_view::npos) return target.substr(0, separator + 1);
    if (style == pathStyle::windows && target.size() >= 2 && target[1] == ':')
        return target.substr(0, 2);  // "Z:out.cc" lies in the current folder of drive Z
    return {};
}

bool isOurTemporary(std::string_view name, unsigned long& process) {
    constexpr std::string_view shape = ".tarvelkin-########-##.tmp";
    if (name.size() != shape.size()) return false;
    process = 0;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const char c = name[i];
        if (shape[i] != '#') {
            if (c != shape[i]) return false;
            continue;
        }
        const bool digit = c >= '0' && c <= '9';
        if (!digit && !(c >= 'a' && c <= 'f')) return false;
        if (i < 19) process = process * 16 + static_cast<unsigned long>(digit ? c - '0' : c - 'a' + 10);
    }
    return true;
}

std::string temporaryPathBeside(pathStyle style, std::string_view target, unsigned long process,
                                unsigned attempt) {
    char name[32];
    std::snprintf(name, sizeof name, ".tarvelkin-%08lx-%02x.tmp", process & 0xFFFFFFFFUL,
                  attempt & 0xFFu);
    return std::string(folderPart(style, target)) + name;
}

bool replaceFile(const std::string& path, std::string_view bytes) {
    std::error_code ignored;
    return replaceFile(path, bytes, ignored, flushFile);
}
