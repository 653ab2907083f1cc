#include "utf8.h"

namespace fs = std::filesystem;

std::string utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path pathOfUtf8(std::string_view text) { return fs::path(std::u8string(text.begin(), text.end())); }
