#include "personServer.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <thread>
#include <utility>

#include "host.h"
#include "utf8.h"

namespace fs = std::filesystem;

namespace {

std::string inFolder(const std::string& folder, const char* name) { return utf8Of(pathOfUtf8(folder) / name); }

}  // namespace

personServer::personServer(std::string folder) : folder_(std::move(folder)) {
    lock_ = takeLock(inFolder(folder_, "ccview.lock"), why_);
}

personServer::~personServer() {
    if (wrote_) {
        std::error_code ignored;
        fs::remove(pathOfUtf8(inFolder(folder_, "ccview.json")), ignored);
    }
    releaseLock(lock_);
}

bool personServer::listening(int port, const std::string& launchFile, std::string& why) {
    const nlohmann::json said = {{"port", port}, {"launch", launchFile}};
    wrote_ = writePrivateFile(inFolder(folder_, "ccview.json"), said.dump() + "\n", why);
    return wrote_;
}

std::string personServer::runningLaunchFile(std::string& why) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    const fs::path file = pathOfUtf8(inFolder(folder_, "ccview.json"));
    for (;;) {
        std::ifstream in(file, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const nlohmann::json said = nlohmann::json::parse(text, nullptr, false);
        if (said.is_object() && said.contains("launch") && said["launch"].is_string()) {
            std::string launch = said["launch"].get<std::string>();
            std::error_code error;
            if (fs::is_regular_file(pathOfUtf8(launch), error)) return launch;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            why = "another ccview holds " + inFolder(folder_, "ccview.lock") + " but names no launch file in " +
                  utf8Of(file);
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}
