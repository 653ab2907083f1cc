#include "launchFiles.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "host.h"
#include "utf8.h"

launchFiles::launchFiles(std::string folder, int port) : folder_(std::move(folder)), port_(port) {}

launchFiles::~launchFiles() {
    for (const std::string& file : written_) {
        std::error_code ignored;
        std::filesystem::remove(pathOfUtf8(file), ignored);
    }
}

std::string launchFiles::path(std::string_view extension) const {
    return utf8Of(pathOfUtf8(folder_) / pathOfUtf8("ccview-" + std::to_string(port_) + std::string(extension)));
}

bool launchFiles::write(std::string_view extension, std::string_view bytes, std::string& why) {
    const std::string file = path(extension);
    if (!writePrivateFile(file, bytes, why)) return false;
    written_.push_back(file);
    return true;
}
