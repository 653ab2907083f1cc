// The shelf's routes (serveApi.h): its configs with their programs, adding,
// removing, choosing a program, and ending the server.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>

#include "browse.h"
#include "childProcess.h"
#include "dialog.h"
#include "serveRoutes.h"
#include "shelfMake.h"
#include "utf8.h"

using json = nlohmann::json;
namespace fs = std::filesystem;

namespace {

using request = httplib::Request;
using response = httplib::Response;

// The shelf a request is for; null, answered 404, on a server of one config.
shelf* shelfOf(const serveContext& c, response& res) {
    if (c.configs.shelfOf() == nullptr) sendJson(res, 404, {{"error", "this server serves one config, no shelf"}});
    return c.configs.shelfOf();
}

// A JSON request's body; a discarded value when it is not an object.
json bodyOf(const request& req) {
    json body = json::parse(req.body, nullptr, false);
    return body.is_object() ? body : json(json::value_t::discarded);
}

// A text field of a JSON object, or "".
std::string textOf(const json& body, const char* name) {
    return !body.is_discarded() && body.contains(name) && body[name].is_string() ? body[name].get<std::string>() : "";
}

// Decodes base64 (with its padding); false for any other text.
bool fromBase64(const std::string& text, std::string& out) {
    static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (text.size() % 4 != 0) return false;
    unsigned value = 0;
    int bits = 0;
    std::size_t padding = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 >= text.size() && padding < 2) {
            ++padding;
            continue;
        }
        const std::size_t d = digits.find(text[i]);
        if (d == std::string::npos || padding > 0) return false;
        value = (value << 6) | static_cast<unsigned>(d);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((value >> bits) & 0xff);
        }
    }
    return true;
}

json programJson(const programChoice& p) {
    return {{"name", p.name}, {"path", p.path}, {"found", !p.path.empty()}, {"chosen", p.chosen}};
}

// Config texts are bytes: each as a JSON string of one code point per byte
// (U+0000 to U+00FF), for the page to decode as UTF-8 or a code page, as
// the config's own page does.
json bytesJson(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

void entriesRoute(const serveContext& c, const request&, response& res) {
    shelf* s = shelfOf(c, res);
    if (s == nullptr) return;
    json entries = json::array();
    for (const shelfEntry& e : s->entries()) {
        json header = json::array();
        for (const std::string& item : e.headerItems) header.push_back(bytesJson(item));
        entries.push_back({{"id", e.id},
                           {"name", e.name},
                           {"path", e.path},
                           {"own", e.own},
                           {"refused", e.refused},
                           {"headerItems", header},
                           {"program", programJson(e.program)}});
    }
    json folders = json::array();
    for (const shelfFolder& f : s->folders()) folders.push_back({{"path", f.path}, {"own", f.own}});
    sendJson(res, 200,
             {{"entries", entries},
              {"folders", folders},
              {"notice", c.notice},
              {"nativeDialog", haveNativeFileDialog()},
              {"separator", std::string(1, static_cast<char>(fs::path::preferred_separator))}});
}

// {"name": file name, "bytes": the config as base64}
void addRoute(const serveContext& c, const request& req, response& res) {
    shelf* s = shelfOf(c, res);
    if (s == nullptr) return;
    const json body = bodyOf(req);
    std::string bytes, id, why;
    if (!fromBase64(textOf(body, "bytes"), bytes)) return sendJson(res, 400, {{"error", "bytes must be base64"}});
    if (!s->add(textOf(body, "name"), bytes, id, why)) return sendJson(res, 409, {{"error", why}});
    sendJson(res, 200, {{"id", id}});
}

void removeRoute(const serveContext& c, const request& req, response& res) {
    shelf* s = shelfOf(c, res);
    std::string why;
    if (s == nullptr) return;
    if (!s->remove(textOf(bodyOf(req), "id"), why)) return sendJson(res, 409, {{"error", why}});
    sendJson(res, 200, {{"removed", true}});
}

// {"id", "path": the program chosen}
void programRoute(const serveContext& c, const request& req, response& res) {
    shelf* s = shelfOf(c, res);
    if (s == nullptr) return;
    const json body = bodyOf(req);
    const std::string id = textOf(body, "id");
    std::string why;
    if (!s->chooseProgram(id, textOf(body, "path"), why)) return sendJson(res, 409, {{"error", why}});
    shelfEntry entry;
    s->find(id, entry);
    sendJson(res, 200, {{"program", programJson(entry.program)}});
}

// GET ?folder=PATH: a folder's listing, to choose a program in: every file
// (on Windows the programs, *.exe). PATH empty: the folder of the program the
// shelf finds for ?id, else the working folder.
void browseRoute(const serveContext& c, const request& req, response& res) {
    shelf* s = shelfOf(c, res);
    if (s == nullptr) return;
    std::string folder = req.has_param("folder") ? req.get_param_value("folder") : "";
    shelfEntry entry;
    if (folder.empty() && req.has_param("id") && s->find(req.get_param_value("id"), entry) &&
        !entry.program.path.empty())
        folder = utf8Of(pathOfUtf8(entry.program.path).parent_path());
    std::string why;
    const std::string patterns = fs::path::preferred_separator == '\\' ? "*.exe" : "";
    json listing = folderListing(folder.empty() ? c.configs.cwd() : folder, c.configs.cwd(), false, patterns,
                                 req.get_param_value("hidden") == "1", why);
    if (listing.is_null()) return sendJson(res, 404, {{"error", why}});
    sendJson(res, 200, listing);
}

// POST: the desktop's own open dialog, for a program.
void programDialogRoute(const serveContext& c, const request&, response& res) {
    shelf* s = shelfOf(c, res);
    if (s == nullptr) return;
    if (!haveNativeFileDialog()) return sendJson(res, 404, {{"error", "no native dialog here"}});
    const auto chosen = nativeFileDialog(dialogKind::open, "Choose the program",
                                         "Programs (*.exe)\x01*.exe\x01", c.configs.cwd());
    if (!chosen) return sendJson(res, 200, {{"cancelled", true}});
    sendJson(res, 200, {{"path", *chosen}});
}

// {"program": a name or a full path, "args": [help words] (absent:
// ["--help"]), "replace": true to write over NAME.sc and NAME.cc}
void makeRoute(const serveContext& c, const request& req, response& res) {
    const json body = bodyOf(req);
    const auto isWord = [](const json& w) { return w.is_string() && w.get<std::string>().find('\0') == std::string::npos; };
    formOrder order{textOf(body, "program"), {"--help"}, false};
    bool ok = !order.program.empty() && isWord(order.program);
    if (ok && body.contains("args")) {
        const json& args = body["args"];
        ok = args.is_array() && std::all_of(args.begin(), args.end(), isWord);
        if (ok) order.helpArgs = args.get<std::vector<std::string>>();
    }
    if (ok && body.contains("replace")) {
        ok = body["replace"].is_boolean();
        order.replace = ok && body["replace"].get<bool>();
    }
    if (!ok)
        return sendJson(res, 400, {{"error", "expected {\"program\": a name or a path, \"args\": [words], \"replace\": "
                                             "true or false}"}});
    shelf* s = shelfOf(c, res);
    if (s == nullptr) return;
    const formAnswer answer = makeForm(*s, order);
    sendJson(res, answer.status, answer.body);
}

void quitRoute(const serveContext& c, const request&, response& res) {
    sendJson(res, 200, {{"ending", true}});
    c.quit();
}

}  // namespace

void addShelfRoutes(httplib::Server& server, const serveContext& context) {
    const auto route = [&context](routeHandler h) { return routeOf(context, h); };
    server.Get("/api/shelf", route(entriesRoute));
    server.Post("/api/shelf/add", route(addRoute));
    server.Post("/api/shelf/remove", route(removeRoute));
    server.Post("/api/shelf/program", route(programRoute));
    server.Get("/api/shelf/browse", route(browseRoute));
    server.Post("/api/shelf/dialog", route(programDialogRoute));
    server.Post("/api/shelf/make", route(makeRoute));
    server.Post("/api/quit", route(quitRoute));
}
