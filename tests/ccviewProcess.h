// A ccview that a test starts and drives from outside as its page does: the
// launch file from its first line of output, the port from the launch file's
// name (".../ccview-PORT.html") and the token from the file beside it
// (ccview-PORT.token). For the test programs that define CCVIEW_PROGRAM.
#pragma once

#include <gtest/gtest.h>
#include <httplib.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "childProcess.h"
#include "testSupport.h"
#include "utf8.h"

namespace testSupport {

class ccviewProcess {
public:
    // Starts ccview with words (in folder, when one is given); throws when
    // it cannot start or prints no launch file.
    explicit ccviewProcess(const std::vector<std::string>& words, const std::filesystem::path& folder = {}) {
        std::vector<std::string> argv = {CCVIEW_PROGRAM};
        argv.insert(argv.end(), words.begin(), words.end());
        std::string why;
        process_ = childProcess::start(argv, folder.empty() ? std::string() : utf8Of(folder), why);
        if (!process_) throw std::runtime_error("cannot start ccview: " + why);
        char c = 0;
        while (process_->read(childProcess::stream::out, &c, 1) == 1 && c != '\n') launch_ += c;
        if (!launch_.empty() && launch_.back() == '\r') launch_.pop_back();
        if (launch_.empty()) throw std::runtime_error("ccview printed no launch file");
        const std::string name = utf8Of(launchFile().stem());
        port_ = std::stoi(name.substr(name.find('-') + 1));
        token_ = fileBytes(tokenFile());
        if (!token_.empty() && token_.back() == '\n') token_.pop_back();
    }
    // Ends the server as Ctrl+C does, so that it removes its files (a test
    // on Windows has no console to send Ctrl+C from: it ends the tree, and
    // removes the files itself).
    virtual ~ccviewProcess() {
        if (!process_) return;
#ifdef _WIN32
        kill();
#else
        end();
#endif
    }
    ccviewProcess(const ccviewProcess&) = delete;
    ccviewProcess& operator=(const ccviewProcess&) = delete;

    const std::string& launch() const { return launch_; }
    std::filesystem::path launchFile() const { return pathOfUtf8(launch_); }
    std::filesystem::path tokenFile() const { return launchFile().replace_extension(".token"); }
    int port() const { return port_; }
    const std::string& token() const { return token_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    // Headers of the page itself: its Host, its token, its Origin.
    httplib::Headers page() const {
        return {{"Host", host()}, {"X-Ccview-Token", token_}, {"Origin", "http://" + host()}};
    }
    httplib::Client client() const {
        httplib::Client c("127.0.0.1", port_);
        c.set_read_timeout(60, 0);
        return c;
    }

    // Ends the server as Ctrl+C does; its exit status (POSIX).
    int end() {
        process_->askToEnd();
        return wait();
    }
    // Ends the server as its page's Quit does; its exit status.
    int quit() {
        auto answer = client().Post("/api/quit", page(), "", "application/json");
        EXPECT_TRUE(answer && answer->status == 200) << (answer ? answer->body : "no answer");
        return wait();
    }
    // Waits for it to end by itself; its exit status (-1 for a signal).
    // What it wrote to standard error is then in errors(), each line ending
    // in "\n" (Windows ends them in "\r\n").
    int wait() {
        char buffer[4096];
        for (std::size_t got; (got = process_->read(childProcess::stream::err, buffer, sizeof buffer)) > 0;)
            errors_.append(buffer, got);
        for (std::size_t at = errors_.find("\r\n"); at != std::string::npos; at = errors_.find("\r\n", at))
            errors_.erase(at, 1);
        const processOutcome o = process_->wait();
        process_.reset();
        return o.signalled ? -1 : o.code;
    }
    const std::string& errors() const { return errors_; }
    // Ends the server at once, as a kill -9 or a crash would, and removes
    // the files it leaves.
    void kill() {
        process_->endNow();
        process_->wait();
        process_.reset();
        std::error_code ignored;
        std::filesystem::remove(tokenFile(), ignored);
        std::filesystem::remove(launchFile(), ignored);
    }

private:
    std::unique_ptr<childProcess> process_;
    std::string launch_, token_, errors_;
    int port_ = 0;
};

}  // namespace testSupport
