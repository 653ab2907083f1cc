#include "browse.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "utf8.h"

namespace fs = std::filesystem;

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A glob match over bytes, '*' by backtracking to the last star: linear in
// practice, at worst name length times pattern length.
bool globMatch(std::string_view name, std::string_view pattern) {
    std::size_t n = 0, p = 0, star = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}


bool validUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > text.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
        i += n;
    }
    return true;
}

}  // namespace

bool matchesFilter(std::string_view name, std::string_view patterns) {
    bool any = false;
    while (!patterns.empty()) {
        const std::size_t end = patterns.find(';');
        const std::string_view pattern = patterns.substr(0, end);
        patterns = end == std::string_view::npos ? std::string_view() : patterns.substr(end + 1);
        if (pattern.empty()) continue;
        any = true;
        if (pattern == "*.*" || globMatch(name, pattern)) return true;
    }
    return !any;
}

nlohmann::json folderListing(const std::string& folder, const std::string& base, bool foldersOnly,
                             std::string_view patterns, bool showHidden, std::string& why) {
    std::error_code error;
    fs::path where = pathOfUtf8(folder);
    if (where.is_relative()) where = pathOfUtf8(base) / where;
    where = fs::weakly_canonical(where, error);
    fs::directory_iterator it(where, fs::directory_options::skip_permission_denied, error);
    if (error) {
        why = error.message();
        return nullptr;
    }
    struct entry {
        std::string name;
        bool isFolder;
    };
    std::vector<entry> entries;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) break;
        const std::string name = utf8Of(it->path().filename());
        if (name.empty() || (name[0] == '.' && !showHidden) || !validUtf8(name)) continue;
        std::error_code kind;
        const bool isFolder = it->is_directory(kind);
        if (!isFolder && (foldersOnly || !matchesFilter(name, patterns))) continue;
        entries.push_back({name, isFolder});
    }
    std::sort(entries.begin(), entries.end(), [](const entry& a, const entry& b) {
        return a.isFolder != b.isFolder ? a.isFolder : a.name < b.name;
    });
    nlohmann::json list = nlohmann::json::array();
    for (const entry& e : entries) list.push_back({{"name", e.name}, {"folder", e.isFolder}});
    const fs::path parent = where.parent_path();
    return {{"folder", utf8Of(where)},
            {"parent", parent == where || parent.empty() ? nlohmann::json() : nlohmann::json(utf8Of(parent))},
            {"separator", std::string(1, static_cast<char>(fs::path::preferred_separator))},
            {"entries", std::move(list)}};
}
