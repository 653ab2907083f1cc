#include "userFolders.h"

#include <filesystem>
#include <system_error>

#include "utf8.h"

namespace fs = std::filesystem;

bool makeUserFolder(userFolder kind, std::string& path, std::string& why) {
    path = userFolderPath(kind);
    if (path.empty()) {
        why = "the system names no folder for this user's files (is HOME set?)";
        return false;
    }
    const fs::path folder = pathOfUtf8(path);
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        fs::create_directories(folder.parent_path(), error);
        if (fs::create_directory(folder, error)) fs::permissions(folder, fs::perms::owner_all, error);
    }
    if (!fs::is_directory(folder, error)) {
        why = path + ": cannot be made" + (error ? ": " + error.message() : std::string(": not a folder"));
        return false;
    }
    return true;
}
