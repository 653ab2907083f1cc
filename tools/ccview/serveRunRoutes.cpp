// The routes of a run's input, the history and the kept output (serveApi.h).
#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base64.h"
#include "runOutput.h"
#include "serveApi.h"
#include "serveRoutes.h"
#include "utf8.h"

using json = nlohmann::json;

namespace {

using request = httplib::Request;
using response = httplib::Response;

void inputRoute(const serveContext& c, const request& req, response& res) {
    const auto found = configOf(c, req, res);
    if (!found) return;
    const json asked = json::parse(req.body, nullptr, false);
    const bool line = asked.is_object() && asked.contains("line") && asked["line"].is_string();
    const bool end = asked.is_object() && asked.value("end", false) == true;
    if (line == end) return sendJson(res, 400, {{"error", "expected {\"line\": text} or {\"end\": true}"}});
    std::string why;
    if (line ? !found->run->sendInput(asked["line"].get<std::string>(), why) : !found->run->endInput(why))
        return sendJson(res, 409, {{"error", why}});
    sendJson(res, 200, {{"sent", true}});
}

void historyRoute(const serveContext& c, const request& req, response& res) {
    const auto found = configOf(c, req, res);
    if (!found) return;
    const std::string running = found->run->runningId();
    runHistory* history = found->history.get();
    sendJson(res, 200,
             {{"runs", history != nullptr ? history->list(running) : json::array()},
              {"running", running.empty() ? json() : json(running)}});
}

// The run a request names by its id, when its config's history holds it:
// never a path taken from the request. The history in history.
std::string runOf(const servedConfig& config, const request& req, runHistory*& history) {
    history = config.history.get();
    std::string id = req.has_param("id") ? req.get_param_value("id") : "";
    if (history == nullptr || id.empty() || history->find(id).is_null()) return {};
    return id;
}

std::uint64_t numberParam(const request& req, const char* name) {
    const std::string text = req.get_param_value(name);
    if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::stoull(text);
}

void outputRoute(const serveContext& c, const request& req, response& res) {
    const auto found = configOf(c, req, res);
    if (!found) return;
    runHistory* history = nullptr;
    const std::string id = runOf(*found, req, history);
    const std::string& folder = id.empty() ? id : history->folder();
    std::uint64_t from = numberParam(req, "from");
    if (!id.empty() && req.has_param("tail"))
        from = runOutputTail(folder, id, std::max<std::uint64_t>(numberParam(req, "tail"), 1), outputTailBytes);
    outputRange range;
    if (id.empty() || !readRunOutput(folder, id, from, outputPartBytes, range))
        return sendJson(res, 404, {{"error", "no output of such a run is kept"}});
    json pieces = json::array();
    for (const outputPiece& p : range.pieces) {
        if (p.stream == 2)
            pieces.push_back({{"stream", "in"}, {"at", p.at}, {"text", p.bytes}});
        else
            pieces.push_back({{"stream", p.stream == 0 ? "out" : "err"}, {"at", p.at},
                              {"data", base64(p.bytes.data(), p.bytes.size())}});
    }
    sendJson(res, 200,
             {{"id", id}, {"first", range.first}, {"size", range.size}, {"from", range.from}, {"next", range.next},
              {"pieces", std::move(pieces)}});
}

// The whole kept output, read from its files as it is sent: never all of it
// in memory.
void saveRoute(const serveContext& c, const request& req, response& res) {
    const auto found = configOf(c, req, res);
    if (!found) return;
    runHistory* history = nullptr;
    const std::string id = runOf(*found, req, history);
    std::uint64_t first = 0;
    const std::vector<std::string> files =
        id.empty() ? std::vector<std::string>() : runOutputFiles(history->folder(), id, first);
    if (files.empty()) return sendJson(res, 404, {{"error", "no output of such a run is kept"}});
    res.set_header("Content-Disposition", "attachment; filename=\"output-" + id + ".txt\"");
    auto at = std::make_shared<std::size_t>(0);
    auto file = std::make_shared<std::ifstream>();
    res.set_chunked_content_provider(
        "application/octet-stream", [files, at, file](std::size_t, httplib::DataSink& sink) {
            std::vector<char> buffer(std::size_t{256} * 1024);
            for (;;) {
                if (!file->is_open()) {
                    if (*at == files.size()) {
                        sink.done();
                        return true;
                    }
                    file->open(pathOfUtf8(files[*at]), std::ios::binary);
                    if (!*file) return false;
                }
                file->read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
                const auto got = static_cast<std::size_t>(file->gcount());
                if (got > 0) return sink.write(buffer.data(), got);
                file->close();
                file->clear();
                ++*at;
            }
        });
}

}  // namespace

void addRunRoutes(httplib::Server& server, const serveContext& context) {
    const auto route = [&context](routeHandler h) { return routeOf(context, h); };
    server.Post("/api/input", route(inputRoute));
    server.Get("/api/history", route(historyRoute));
    server.Get("/api/output", route(outputRoute));
    server.Get("/api/save", route(saveRoute));
}
