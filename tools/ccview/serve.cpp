#include "serve.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <iostream>
#include <mutex>
#include <thread>

#include "browse.h"
#include "ccviewPage.h"
#include "cnfDump.h"
#include "dialog.h"
#include "host.h"
#include "utf8.h"
#include "childProcess.h"
#include "runner.h"

using json = nlohmann::json;
namespace fs = std::filesystem;

namespace {

constexpr std::chrono::milliseconds stopGrace{2000};
constexpr std::chrono::seconds keepAlive{15};

// Threads that answer requests. A page's event stream holds one, and a
// browser opens at most 6 connections to a server; a connection that sends
// its request slowly, or nothing, holds one only until its head's deadline
// (the local patch to httplib.h) or the keep-alive time, so that a handful
// of them cannot keep the page waiting.
constexpr std::size_t serverThreads = 32;
constexpr std::size_t maxBody = std::size_t{1} << 20;

std::string hexOf(const unsigned char* bytes, std::size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < size; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

// Compares in time that depends on the lengths only, never on where the
// texts first differ.
bool sameSecret(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

// The value of the cookie name in a request's Cookie headers, or "".
std::string cookieValue(const httplib::Request& req, const std::string& name) {
    const std::size_t count = req.get_header_value_count("Cookie");
    for (std::size_t i = 0; i < count; ++i) {
        const std::string header = req.get_header_value("Cookie", i);
        std::size_t at = 0;
        while (at < header.size()) {
            std::size_t end = header.find(';', at);
            if (end == std::string::npos) end = header.size();
            std::string pair = header.substr(at, end - at);
            pair.erase(0, pair.find_first_not_of(' '));
            const std::size_t eq = pair.find('=');
            if (eq != std::string::npos && pair.compare(0, eq, name) == 0) return pair.substr(eq + 1);
            at = end + 1;
        }
    }
    return {};
}

void sendJson(httplib::Response& res, int status, const json& body) {
    res.status = status;
    res.set_content(body.dump(-1, ' ', false, json::error_handler_t::replace), "application/json");
}

// A refused request's body, if any, is never read: the connection ends with
// the answer, so that the body is not read as a request of its own.
void refuse(httplib::Response& res, int status, const std::string& why) {
    res.status = status;
    res.set_header("Connection", "close");
    res.set_content(why + "\n", "text/plain; charset=utf-8");
}

// What the person is told and the page is given about the program.

// Counts the pages connected to the event stream, and ends the server when
// none has been, and no run has gone on, for the idle time.
class idleWatch {
public:
    idleWatch(int minutes, std::function<bool()> busy) : minutes_(minutes), busy_(std::move(busy)) {}
    void connected() {
        std::lock_guard<std::mutex> hold(lock_);
        ++pages_;
        changed_.notify_all();
    }
    void disconnected() {
        std::lock_guard<std::mutex> hold(lock_);
        --pages_;
        since_ = std::chrono::steady_clock::now();
        changed_.notify_all();
    }
    // Blocks until stop() or, with an idle time, until no page was connected
    // for that long.
    void waitForEnd() {
        std::unique_lock<std::mutex> hold(lock_);
        while (!ended_) {
            if (minutes_ == 0 || pages_ > 0) {
                changed_.wait(hold);
                continue;
            }
            // A run that goes on is no idle time, whether a page watches or not.
            if (busy_()) {
                since_ = std::chrono::steady_clock::now();
                changed_.wait_for(hold, std::chrono::seconds(1));
                continue;
            }
            const auto deadline = since_ + std::chrono::minutes(minutes_);
            if (changed_.wait_until(hold, deadline) == std::cv_status::timeout && pages_ == 0 &&
                std::chrono::steady_clock::now() >= since_ + std::chrono::minutes(minutes_)) {
                idled_ = true;
                break;
            }
        }
    }
    void stop() {
        std::lock_guard<std::mutex> hold(lock_);
        ended_ = true;
        changed_.notify_all();
    }
    // Waits up to wait for every page's event stream to end.
    void waitForNoPages(std::chrono::milliseconds wait) {
        std::unique_lock<std::mutex> hold(lock_);
        changed_.wait_for(hold, wait, [this] { return pages_ == 0; });
    }
    bool idled() {
        std::lock_guard<std::mutex> hold(lock_);
        return idled_;
    }

private:
    const int minutes_;
    const std::function<bool()> busy_;
    std::mutex lock_;
    std::condition_variable changed_;
    int pages_ = 0;
    bool ended_ = false;
    bool idled_ = false;
    std::chrono::steady_clock::time_point since_ = std::chrono::steady_clock::now();
};

// The words a run request carries: {"words": [text, ...]}. Empty, with why,
// when the body is not that.
bool wordsOf(const std::string& body, std::vector<std::string>& words, std::string& why) {
    const json request = json::parse(body, nullptr, false);
    if (request.is_discarded() || !request.is_object() || !request.contains("words") ||
        !request["words"].is_array()) {
        why = "expected {\"words\": [...]}";
        return false;
    }
    for (const json& word : request["words"]) {
        if (!word.is_string()) {
            why = "every word must be a text";
            return false;
        }
        const std::string& text = word.get_ref<const std::string&>();
        // A program's arguments end at a NUL: the word would arrive cut.
        if (text.find('\0') != std::string::npos) {
            why = "a word cannot hold a NUL character";
            return false;
        }
        words.push_back(text);
    }
    return true;
}

// The file item a Browse… request names (1-based), and the patterns of the
// filter chosen for it: the part of the filter's text after its first 0x01.
const cnfFile* fileItem(const cnfConfig& cfg, const httplib::Request& req, std::string& patterns,
                        std::size_t& filterIndex) {
    const std::string item = req.has_param("item") ? req.get_param_value("item") : "";
    const std::string filter = req.has_param("filter") ? req.get_param_value("filter") : "0";
    std::size_t number = 0, index = 0;
    try {
        number = std::stoul(item);
        index = std::stoul(filter);
    } catch (const std::exception&) {
        return nullptr;
    }
    if (number == 0 || number > cfg.files.size()) return nullptr;
    const cnfFile& file = cfg.files[number - 1];
    filterIndex = index < file.filters.size() ? index : 0;
    if (!file.filters.empty()) {
        const std::string& text = cfg.filters[file.filters[filterIndex]];
        const std::size_t start = text.find('\x01');
        const std::size_t end = start == std::string::npos ? start : text.find('\x01', start + 1);
        if (start != std::string::npos) patterns = text.substr(start + 1, end - start - 1);
    }
    return &file;
}

// The page the browser is opened on: it holds the launch address, token and
// all, and sends the browser on to it, so that the token is never on the
// opener's command line.
std::string launchPage(const std::string& url) {
    return "<!DOCTYPE html>\n<meta charset=\"utf-8\">\n<meta name=\"referrer\" content=\"no-referrer\">\n"
           "<meta http-equiv=\"refresh\" content=\"0; url=" + url + "\">\n<title>ccview</title>\n"
           "<script>location.replace(\"" + url + "\")</script>\n";
}

std::string minutesText(int minutes) { return std::to_string(minutes) + (minutes == 1 ? " minute" : " minutes"); }

}  // namespace

int configPort(const cnfConfig& config) {
    std::uint64_t hash = 0xcbf29ce484222325u;  // 64-bit FNV-1a
    for (const char c : cnfDumpJson(config)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3u;
    }
    return 61000 + static_cast<int>(hash % 4536);
}

int serve(const serveOptions& o) {
    runner run(o.program, o.cwd, keptOutputBytes, stopGrace);
    idleWatch idle(o.idleMinutes, [&run] { return run.running(); });
    watchForEnd([&] { idle.stop(); });

    unsigned char secret[32];
    if (!systemRandom(secret, sizeof secret)) {
        std::cerr << "ccview: the system's random source failed; not serving" << std::endl;
        return 1;
    }
    const std::string token = hexOf(secret, sizeof secret);

    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(serverThreads); };
    server.set_payload_max_length(maxBody);
    server.set_tcp_nodelay(true);  // an output chunk leaves at once
    server.set_socket_options([](socket_t socket) { ownPortOptions(static_cast<std::uintptr_t>(socket)); });
    // Numeric and loopback only: no name is resolved, nothing else listens.
    constexpr int flags = AI_NUMERICHOST | AI_PASSIVE;
    int port = o.port != 0 ? o.port : configPort(o.config);
    if (!server.bind_to_port("127.0.0.1", port, flags)) {
        if (o.port != 0) {
            std::cerr << "ccview: cannot listen on 127.0.0.1:" << port << " (is another program using it?)" << std::endl;
            return 1;
        }
        const int wanted = port;
        port = server.bind_to_any_port("127.0.0.1", flags);
        if (port <= 0) {
            std::cerr << "ccview: cannot listen on 127.0.0.1" << std::endl;
            return 1;
        }
        std::cerr << "ccview: port " << wanted << ", this config's own, is taken; serving on " << port
                  << " instead, where the browser keeps other presets and remembered values" << std::endl;
    }
    const std::string portText = std::to_string(port);
    const std::string hosts[] = {"127.0.0.1:" + portText, "localhost:" + portText};
    const std::string origins[] = {"http://" + hosts[0], "http://" + hosts[1]};
    const std::string cookie = "ccview-" + portText;
    const std::string page = servedPage(o.config, o.configName);

    server.set_pre_routing_handler([&](const httplib::Request& req, httplib::Response& res) {
        res.set_header("Cache-Control", "no-store");
        res.set_header("X-Content-Type-Options", "nosniff");
        res.set_header("Referrer-Policy", "no-referrer");
        res.set_header("X-Frame-Options", "DENY");
        res.set_header("Content-Security-Policy", "frame-ancestors 'none'");
        using handled = httplib::Server::HandlerResponse;
        const std::string host = req.get_header_value("Host");
        if (host != hosts[0] && host != hosts[1]) {
            refuse(res, 403, "Forbidden: this server answers to 127.0.0.1:" + portText + " only.");
            return handled::Handled;
        }
        // A body is read after these checks, and only with its length: a
        // chunked one, or one without a length, would be read without a limit.
        const std::string length = req.get_header_value("Content-Length");
        if (req.has_header("Transfer-Encoding") || (req.method == "POST" && length.empty())) {
            refuse(res, 411, "Length Required: a request's body needs a Content-Length, and cannot be chunked.");
            return handled::Handled;
        }
        if (!length.empty() && (length.size() > 9 || length.find_first_not_of("0123456789") != std::string::npos ||
                                std::stoul(length) > maxBody)) {
            refuse(res, 413, "Payload Too Large: a request's body is 1 MB at most.");
            return handled::Handled;
        }
        // The launch address: its token becomes the cookie. It may come from
        // another site (the browser opens it from a local file): the token is
        // the proof. The page is then loaded by a page of the server itself,
        // not by a redirect, so that the cookie goes along (a browser sends
        // a SameSite=Strict cookie on no request of a chain another site
        // began), and the address without the token replaces the one that
        // held it.
        if (req.method == "GET" && req.path == "/" && req.has_param("token")) {
            if (!sameSecret(req.get_param_value("token"), token)) {
                refuse(res, 403, "Forbidden: this token is not this server's.");
                return handled::Handled;
            }
            res.set_header("Set-Cookie", cookie + "=" + token + "; Path=/; HttpOnly; SameSite=Strict");
            res.set_content("<!DOCTYPE html>\n<meta charset=\"utf-8\">\n<meta http-equiv=\"refresh\" content=\"0; url=/\">\n"
                            "<title>ccview</title>\n<script>location.replace(\"/\")</script>\n",
                            "text/html; charset=utf-8");
            return handled::Handled;
        }
        const std::string origin = req.get_header_value("Origin");
        const std::string site = req.get_header_value("Sec-Fetch-Site");
        const bool changes = req.method != "GET" || req.path == "/api/events";
        // A browser sends Sec-Fetch-Site, and Origin with every POST; neither
        // can be set by a page. A request without both is not a browser's.
        const bool ownOrigin = origin.empty() || origin == origins[0] || origin == origins[1];
        const bool ownSite = site.empty() || site == "same-origin" || (site == "none" && !changes);
        if (!ownOrigin || !ownSite) {
            refuse(res, 403, "Forbidden: only the page this server gave may ask this.");
            return handled::Handled;
        }
        if (!sameSecret(cookieValue(req, cookie), token)) {
            refuse(res, 403,
                   "Forbidden: open the address ccview printed when it started; it holds the token.");
            return handled::Handled;
        }
        return handled::Unhandled;
    });

    server.Get("/", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(page, "text/html; charset=utf-8");
    });

    server.Get("/api/info", [&](const httplib::Request&, httplib::Response& res) {
        json fixed = json::array();
        for (std::size_t i = 1; i < o.program.size(); ++i) fixed.push_back(o.program[i]);
        sendJson(res, 200,
                 {{"program", o.program[0]},
                  {"fixed", fixed},
                  {"cwd", o.cwd},
                  {"keptBytes", keptOutputBytes},
                  {"nativeDialog", haveNativeFileDialog()},
                  {"separator", std::string(1, static_cast<char>(fs::path::preferred_separator))},
                  {"running", run.running()}});
    });

    server.Post("/api/run", [&](const httplib::Request& req, httplib::Response& res) {
        std::vector<std::string> words;
        std::string why;
        if (!wordsOf(req.body, words, why)) return sendJson(res, 400, {{"error", why}});
        if (!run.start(words, why)) return sendJson(res, 409, {{"error", why}});
        sendJson(res, 200, {{"started", true}});
    });

    server.Post("/api/stop", [&](const httplib::Request&, httplib::Response& res) {
        sendJson(res, 200, {{"stopping", run.stop()}});
    });

    server.Get("/api/events", [&](const httplib::Request& req, httplib::Response& res) {
        std::uint64_t from = 0;
        try {
            const std::string last = req.get_header_value("Last-Event-ID");
            if (!last.empty()) from = std::stoull(last);
        } catch (const std::exception&) {
            from = 0;
        }
        idle.connected();
        // One page at a time is served: this one takes the place of any
        // other, whose stream ends, so that tabs of one server never hold
        // every connection the browser allows.
        const std::uint64_t reader = run.newReader();
        auto position = std::make_shared<std::uint64_t>(from);
        auto first = std::make_shared<bool>(true);
        res.set_chunked_content_provider(
            "text/event-stream",
            [&run, position, first, reader](std::size_t, httplib::DataSink& sink) {
                std::string chunk = *first ? "retry: 1000\n\n" : "";
                *first = false;
                const std::vector<runEvent> events =
                    chunk.empty() ? run.eventsAfter(*position, keepAlive, reader) : std::vector<runEvent>();
                if (!run.isReader(reader)) {
                    chunk += "data: {\"type\":\"taken-over\"}\n\n";
                    if (sink.write(chunk.data(), chunk.size())) sink.done();
                    return true;
                }
                if (events.empty() && run.closed()) {
                    sink.done();
                    return true;
                }
                if (events.empty() && chunk.empty()) chunk = ": still here\n\n";
                for (const runEvent& e : events) {
                    chunk += "id: " + std::to_string(e.seq) + "\ndata: " + e.json + "\n\n";
                    *position = e.seq;
                }
                return sink.write(chunk.data(), chunk.size());
            },
            [&idle](bool) { idle.disconnected(); });
    });

    server.Get("/api/list", [&](const httplib::Request& req, httplib::Response& res) {
        std::string patterns, why;
        std::size_t filterIndex = 0;
        const cnfFile* file = fileItem(o.config, req, patterns, filterIndex);
        if (file == nullptr) return sendJson(res, 400, {{"error", "no such file item"}});
        const std::string folder = req.has_param("folder") ? req.get_param_value("folder") : "";
        json listing = folderListing(folder.empty() ? o.cwd : folder, o.cwd, file->action == 2, patterns, why);
        if (listing.is_null()) return sendJson(res, 404, {{"error", why}});
        sendJson(res, 200, listing);
    });

    server.Post("/api/dialog", [&](const httplib::Request& req, httplib::Response& res) {
        if (!haveNativeFileDialog()) return sendJson(res, 404, {{"error", "no native dialog here"}});
        std::string patterns;
        std::size_t filterIndex = 0;
        const cnfFile* file = fileItem(o.config, req, patterns, filterIndex);
        if (file == nullptr) return sendJson(res, 400, {{"error", "no such file item"}});
        std::string filters;
        for (std::size_t i = 0; i < file->filters.size(); ++i)
            filters += o.config.filters[file->filters[(i + filterIndex) % file->filters.size()]];
        const dialogKind kind =
            file->action == 2 ? dialogKind::folder : file->action == 1 ? dialogKind::save : dialogKind::open;
        const auto chosen = nativeFileDialog(kind, file->name, filters, o.cwd);
        if (!chosen) return sendJson(res, 200, {{"cancelled", true}});
        sendJson(res, 200, {{"path", *chosen}});
    });

    const fs::path folder = pathOfUtf8(privateFolder());
    const std::string tokenFile = utf8Of(folder / ("ccview-" + portText + ".token"));
    const std::string launchFile = utf8Of(folder / ("ccview-" + portText + ".html"));
    std::string why;
    const bool haveTokenFile = writePrivateFile(tokenFile, token + "\n", why);
    const std::string url = "http://127.0.0.1:" + portText + "/?token=" + token;
    std::cout << url << std::endl;
    std::cerr << "ccview: serving " << o.configName << " on 127.0.0.1:" << portText << "; it runs "
              << o.program[0] << " in " << o.cwd << std::endl;
    if (haveTokenFile)
        std::cerr << "ccview: the token is also in " << tokenFile << " (cookie " << cookie
                  << "); Ctrl+C ends the server" << std::endl;
    else
        std::cerr << "ccview: warning: cannot write the token file " << tokenFile << ": " << why
                  << "; Ctrl+C ends the server" << std::endl;
    // The browser gets the token from a file only this user can read.
    bool haveLaunchFile = false;
    if (o.openBrowser) {
        haveLaunchFile = writePrivateFile(launchFile, launchPage(url), why);
        if (!haveLaunchFile)
            std::cerr << "ccview: cannot write " << launchFile << ": " << why << "; open the address above" << std::endl;
        else if (!openInBrowser(launchFile))
            std::cerr << "ccview: cannot open a browser: open the address above" << std::endl;
    }
    // From here on, whatever a run leaves behind comes here to be ended; the
    // browser, started before and by a process that has ended, never does.
    childProcess::holdWholeTree();

    std::atomic<bool> listened{false};
    std::thread listener([&] {
        server.listen_after_bind();
        listened = true;
    });
    // Until it listens, the server cannot be stopped (a stop would be missed
    // and the listener never end), also when Ctrl+C comes at once.
    while (!server.is_running() && !listened) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    idle.waitForEnd();
    if (idle.idled()) std::cerr << "ccview: no page for " << minutesText(o.idleMinutes) << "; ending" << std::endl;
    if (run.running()) std::cerr << "ccview: stopping the run in progress, as Stop does, before ending" << std::endl;
    run.shutDown();
    // The pages get the run's end before the server stops.
    idle.waitForNoPages(std::chrono::seconds(2));
    server.stop();
    listener.join();
    for (const auto& [made, file] : {std::pair{haveTokenFile, &tokenFile}, std::pair{haveLaunchFile, &launchFile}}) {
        std::error_code ignored;
        if (made) fs::remove(pathOfUtf8(*file), ignored);
    }
    return 0;
}
