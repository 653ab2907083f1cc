#include "pathRules.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include "windowsApi.h"
#endif

pathStyle hostPathStyle() {
#ifdef _WIN32
    return pathStyle::windows;
#else
    return pathStyle::posix;
#endif
}

char folderSeparator(pathStyle style) { return style == pathStyle::windows ? '\\' : '/'; }

bool isUnchangedPath(pathStyle style, std::string_view path) {
    if (style == pathStyle::windows) return path.find(':') != std::string_view::npos;
    return !path.empty() && path.front() == '/';
}

#ifdef _WIN32

std::string fullPathOf(const std::string& name) {
    std::string full(MAX_PATH, '\0');
    for (;;) {
        const DWORD n =
            GetFullPathNameA(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return std::string();
        if (n < full.size()) return full.substr(0, n);
        full.resize(n);  // n counts the terminating zero when the buffer is too small
    }
}

#else

std::string fullPathOf(const std::string& name) {
    std::error_code ec;
    std::filesystem::path cwd = std::filesystem::current_path(ec);
    if (ec) return std::string();
    std::string full = cwd.string();
    if (full.empty() || full.back() != '/') full += '/';
    return full + name;
}

#endif
