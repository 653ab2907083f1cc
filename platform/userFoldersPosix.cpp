// The per-user folders on POSIX systems: the XDG base directories.
#include "userFolders.h"

#include <cstdlib>
#include <string>

namespace {

// A variable's value when it is an absolute path, else "".
std::string absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

}  // namespace

std::string userFolderPath(userFolder kind) {
    static const struct {
        userFolder kind;
        const char* variable;
        const char* underHome;
    } bases[] = {{userFolder::config, "XDG_CONFIG_HOME", "/.config"},
                 {userFolder::data, "XDG_DATA_HOME", "/.local/share"},
                 {userFolder::state, "XDG_STATE_HOME", "/.local/state"}};
    if (kind == userFolder::runtime) {
        const std::string runtime = absoluteVariable("XDG_RUNTIME_DIR");
        if (!runtime.empty()) return runtime + "/tarvelkin";
        kind = userFolder::state;
    }
    const std::string home = absoluteVariable("HOME");
    for (const auto& b : bases) {
        if (b.kind != kind) continue;
        const std::string base = absoluteVariable(b.variable);
        if (!base.empty()) return base + "/tarvelkin";
        return home.empty() ? std::string() : home + b.underHome + "/tarvelkin";
    }
    return {};
}

std::string homeFolderPath() { return absoluteVariable("HOME"); }
