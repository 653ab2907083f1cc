#include "launchFiles.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "host.h"
#include "serveApi.h"
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

bool launchFiles::write(const std::string& file, std::string_view bytes, std::string& why) {
    if (!writePrivateFile(file, bytes, why)) return false;
    written_.push_back(file);
    return true;
}

bool launchFiles::writeToken(const std::string& token, std::string& why) {
    return write(tokenPath(), token + "\n", why);
}

bool launchFiles::writeLaunch(const serverIdentity& server, std::string& why) {
    return write(launchPath(), launchFileText(server), why);
}

std::string launchFileText(const serverIdentity& server) {
    // The token is hexadecimal and the port a number: nothing here needs
    // escaping.
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<meta charset=\"utf-8\">\n"
           "<meta name=\"referrer\" content=\"no-referrer\">\n<title>ccview</title>\n"
           "<form method=\"post\" action=\"http://127.0.0.1:" + std::to_string(server.port) + launchPath + "\">\n"
           "<input type=\"hidden\" name=\"token\" value=\"" + server.token + "\">\n"
           "<noscript><button>Open ccview</button></noscript>\n</form>\n"
           "<script>document.forms[0].submit()</script>\n</html>\n";
}
