#include "serveRoutes.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include "browse.h"
#include "ccviewPage.h"
#include "dialog.h"
#include "host.h"
#include "userFolders.h"
#include "serveApi.h"
#include "utf8.h"

using json = nlohmann::json;
namespace fs = std::filesystem;

void sendJson(httplib::Response& res, int status, const json& body) {
    res.status = status;
    res.set_content(body.dump(-1, ' ', false, json::error_handler_t::replace), "application/json");
}

namespace {

using request = httplib::Request;
using response = httplib::Response;

// What a run request asks: {"words": [text, ...], "input", "cwd", "form"}
// (serveApi.h), the working folder made absolute from base. False, with why,
// when the body is not that.
bool runRequestOf(const std::string& body, const std::string& base, runRequest& run, std::string& why) {
    const json asked = json::parse(body, nullptr, false);
    if (asked.is_discarded() || !asked.is_object() || !asked.contains("words") ||
        !asked["words"].is_array() || (asked.contains("input") && !asked["input"].is_boolean()) ||
        (asked.contains("cwd") && !asked["cwd"].is_string()) ||
        (asked.contains("form") && !asked["form"].is_object())) {
        why = "expected {\"words\": [...], \"input\": true|false, \"cwd\": text, \"form\": {...}}";
        return false;
    }
    run.input = asked.value("input", false);
    run.form = asked.value("form", json());
    const std::string cwd = asked.value("cwd", "");
    if (!cwd.empty()) {
        std::error_code error;
        const fs::path folder = (pathOfUtf8(base) / pathOfUtf8(cwd)).lexically_normal();
        if (cwd.find('\0') != std::string::npos || !fs::is_directory(folder, error)) {
            why = "working folder not found: " + cwd;
            return false;
        }
        run.cwd = utf8Of(folder);
    }
    std::vector<std::string>& words = run.words;
    for (const json& word : asked["words"]) {
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

// The file item a request names (item, 1-based), and the patterns of the
// filter chosen for it (filter, 0-based): the part of the filter's text after
// its first 0x01. Null for no such item.
const cnfFile* fileItem(const cnfConfig& cfg, const request& req, std::string& patterns, std::size_t& filterIndex) {
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

// GET /: the config's page, or the shelf's.
void pageRoute(const serveContext& c, const request& req, response& res) {
    if (c.configs.isShelf()) return res.set_content(c.shelfPage, "text/html; charset=utf-8");
    if (auto found = configOf(c, req, res)) res.set_content(found->page, "text/html; charset=utf-8");
}

// GET /config/ID: a shelf's config's page.
void configPageRoute(const serveContext& c, const request& req, response& res) {
    std::string why;
    auto found = c.configs.isShelf() ? c.configs.find(req.matches[1], why) : nullptr;
    if (found) return res.set_content(found->page, "text/html; charset=utf-8");
    res.status = 404;
    res.set_content("Not Found: " + (why.empty() ? std::string("no such page") : why) + ".\n",
                    "text/plain; charset=utf-8");
}

// POST /launch: the token the launch file posts, as a form, becomes the
// launch answer's, which keeps it for its tab and goes on to the page.
void launchRoute(const serveContext& c, const request& req, response& res) {
    if (!req.has_param("token") || !sameSecret(req.get_param_value("token"), c.identity.token)) {
        res.status = 403;
        res.set_header("Connection", "close");
        return res.set_content("Forbidden: this launch file is not this server's; start ccview again.\n",
                               "text/plain; charset=utf-8");
    }
    res.set_content(launchPage(c.identity.token), "text/html; charset=utf-8");
}

void infoRoute(const serveContext& c, const request& req, response& res) {
    const auto found = configOf(c, req, res);
    if (!found) return;
    const std::vector<std::string>& program = found->program;
    sendJson(res, 200,
             {{"program", program[0]},
              {"fixed", std::vector<std::string>(program.begin() + 1, program.end())},
              {"missing", found->missing},
              {"cwd", c.configs.cwd()},
              {"home", homeFolderPath()},
              {"keptBytes", keptOutputBytes},
              {"runBytes", found->history != nullptr ? runPartBytes : 0},
              {"historyRuns", historyRuns},
              {"nativeDialog", haveNativeFileDialog()},
              {"separator", std::string(1, static_cast<char>(fs::path::preferred_separator))},
              {"running", found->run->running()}});
}

void runRoute(const serveContext& c, const request& req, response& res) {
    const auto found = configOf(c, req, res);
    if (!found) return;
    if (!found->missing.empty()) return sendJson(res, 409, {{"error", found->missing}});
    runRequest run;
    std::string why, id;
    if (!runRequestOf(req.body, c.configs.cwd(), run, why)) return sendJson(res, 400, {{"error", why}});
    if (!found->run->start(run, why, id)) return sendJson(res, 409, {{"error", why}});
    sendJson(res, 200, {{"started", true}, {"id", id}});
}

void stopRoute(const serveContext& c, const request& req, response& res) {
    if (const auto found = configOf(c, req, res)) sendJson(res, 200, {{"stopping", found->run->stop()}});
}

// How much output a page's stream may be given now: liveBytesPerSecond,
// saved up to liveBurst. Below a part of it, the stream waits a moment
// first (a run's end is never held back: the runner skips to it).
class livePace {
public:
    std::size_t budget() {
        refill();
        if (tokens_ < liveBurst / 16) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1000 * (liveBurst / 16 - tokens_) / liveBytesPerSecond + 1));
            refill();
        }
        return tokens_;
    }
    void spent(std::size_t bytes) { tokens_ -= std::min(tokens_, bytes * 3 / 4); }

private:
    void refill() {
        const auto now = std::chrono::steady_clock::now();
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(now - last_).count();
        last_ = now;
        tokens_ = std::min<std::size_t>(liveBurst, tokens_ + static_cast<std::size_t>(us) * liveBytesPerSecond / 1000000);
    }
    std::size_t tokens_ = liveBurst;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// One page at a time is served: this one takes the place of any other, whose
// stream ends, so that tabs of one server never hold every connection the
// browser allows.
void eventsRoute(const serveContext& c, const request& req, response& res) {
    const auto found = configOf(c, req, res);
    if (!found) return;
    std::uint64_t from = 0;
    try {
        const std::string last = req.get_header_value("Last-Event-ID");
        if (!last.empty()) from = std::stoull(last);
    } catch (const std::exception&) {
        from = 0;
    }
    c.idle.connected();
    std::shared_ptr<runner> held = found->run;  // the stream's, whatever replaces it
    runner& run = *held;
    const std::uint64_t reader = c.configs.newReader(*found);
    auto position = std::make_shared<std::uint64_t>(from);
    auto first = std::make_shared<bool>(true);
    auto pace = std::make_shared<livePace>();
    res.set_chunked_content_provider(
        "text/event-stream",
        [held, &run, position, first, reader, pace](std::size_t, httplib::DataSink& sink) {
            std::string chunk = *first ? "retry: 1000\n\n" : "";
            *first = false;
            const std::vector<runEvent> events =
                chunk.empty() ? run.eventsAfter(*position, eventKeepAlive, reader, pace->budget())
                              : std::vector<runEvent>();
            for (const runEvent& e : events) pace->spent(e.json.size());
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
        [&idle = c.idle](bool) { idle.disconnected(); });
}

// Item 0: the working folder's browser, folders only.
void listRoute(const serveContext& c, const request& req, response& res) {
    const auto found = configOf(c, req, res);
    if (!found) return;
    std::string patterns, why;
    std::size_t filterIndex = 0;
    const bool folders = req.get_param_value("item") == "0";
    const cnfFile* file = folders ? nullptr : fileItem(found->config, req, patterns, filterIndex);
    if (file == nullptr && !folders) return sendJson(res, 400, {{"error", "no such file item"}});
    const std::string folder = req.has_param("folder") ? req.get_param_value("folder") : "";
    const std::string& cwd = c.configs.cwd();
    json listing = folderListing(folder.empty() ? cwd : folder, cwd, folders || file->action == 2, patterns,
                                 req.get_param_value("hidden") == "1", why);
    if (listing.is_null()) return sendJson(res, 404, {{"error", why}});
    sendJson(res, 200, listing);
}

void dialogRoute(const serveContext& c, const request& req, response& res) {
    if (!haveNativeFileDialog()) return sendJson(res, 404, {{"error", "no native dialog here"}});
    const auto found = configOf(c, req, res);
    if (!found) return;
    std::string patterns;
    std::size_t filterIndex = 0;
    const cnfConfig& cfg = found->config;
    const cnfFile* file = fileItem(cfg, req, patterns, filterIndex);
    if (file == nullptr) return sendJson(res, 400, {{"error", "no such file item"}});
    std::string filters;
    for (std::size_t i = 0; i < file->filters.size(); ++i)
        filters += cfg.filters[file->filters[(i + filterIndex) % file->filters.size()]];
    const dialogKind kind =
        file->action == 2 ? dialogKind::folder : file->action == 1 ? dialogKind::save : dialogKind::open;
    const auto chosen = nativeFileDialog(kind, file->name, filters, c.configs.cwd());
    if (!chosen) return sendJson(res, 200, {{"cancelled", true}});
    sendJson(res, 200, {{"path", *chosen}});
}

// GET /api/values?key=KEY: what is kept for a config's key.
void valuesRoute(const serveContext& c, const request& req, response& res) {
    const std::string key = req.has_param("key") ? req.get_param_value("key") : "";
    if (!settingsStore::isKey(key)) return sendJson(res, 400, {{"error", "no such key"}});
    sendJson(res, 200, c.settings.valuesFor(key));
}

// POST /api/values {"key", "values"?, "presets"?}: keeps them.
void keepValuesRoute(const serveContext& c, const request& req, response& res) {
    const json change = json::parse(req.body, nullptr, false);
    const bool keyed = change.is_object() && change.contains("key") && change["key"].is_string();
    const std::string key = keyed ? change["key"].get<std::string>() : std::string();
    std::string why;
    if (!c.settings.changeValues(key, change.is_object() ? change : json(), why))
        return sendJson(res, 400, {{"error", why}});
    sendJson(res, 200, {{"kept", true}});
}

}  // namespace

httplib::Server::Handler routeOf(const serveContext& context, routeHandler handler) {
    return [&context, handler](const request& req, response& res) { handler(context, req, res); };
}

std::shared_ptr<servedConfig> configOf(const serveContext& c, const request& req, response& res) {
    std::string why;
    auto found = c.configs.find(req.has_param("config") ? req.get_param_value("config") : "", why);
    if (!found) sendJson(res, 404, {{"error", why}});
    return found;
}

void addRoutes(httplib::Server& server, const serveContext& context) {
    const auto route = [&context](routeHandler h) { return routeOf(context, h); };
    server.Get("/", route(pageRoute));
    server.Get(R"(/config/([0-9a-f]{16}))", route(configPageRoute));
    server.Post(launchPath, route(launchRoute));
    server.Get("/api/values", route(valuesRoute));
    server.Post("/api/values", route(keepValuesRoute));
    server.Get("/api/info", route(infoRoute));
    server.Post("/api/run", route(runRoute));
    server.Post("/api/stop", route(stopRoute));
    server.Get("/api/events", route(eventsRoute));
    server.Get("/api/list", route(listRoute));
    server.Post("/api/dialog", route(dialogRoute));
    addRunRoutes(server, context);
}
