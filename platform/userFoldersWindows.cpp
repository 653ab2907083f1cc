// The per-user folders on Windows: the roaming and the local application data.
#include "userFolders.h"

#include <cwchar>
#include <filesystem>

#include "utf8.h"

#include <cstdlib>

namespace {

// A variable's value when it is an absolute path, else "".
std::filesystem::path absoluteVariable(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    if (value == nullptr || *value == 0) return {};
    const std::filesystem::path path(value);
    return path.is_absolute() ? path : std::filesystem::path();
}

}  // namespace

std::string userFolderPath(userFolder kind) {
    const bool roaming = kind == userFolder::config || kind == userFolder::data;
    const std::filesystem::path base = absoluteVariable(roaming ? L"APPDATA" : L"LOCALAPPDATA");
    return base.empty() ? std::string() : utf8Of(base / L"tarvelkin");
}

std::string homeFolderPath() {
    const std::filesystem::path home = absoluteVariable(L"USERPROFILE");
    return home.empty() ? std::string() : utf8Of(home);
}
