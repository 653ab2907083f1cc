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
    std::error_code looked, made;
    if (fs::is_directory(folder, looked)) return true;
    // The reason a folder above it or the folder itself could not be made;
    // the look after it would say only that nothing is there.
    fs::create_directories(folder.parent_path(), made);
    if (!made && fs::create_directory(folder, made)) fs::permissions(folder, fs::perms::owner_all, made);
    if (fs::is_directory(folder, looked)) return true;
    const bool inTheWay = fs::exists(folder, looked);
    why = path + ": cannot be made: " + (inTheWay || !made ? std::string("not a folder") : made.message());
    return false;
}
