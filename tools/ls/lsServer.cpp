#include "lsServer.h"

#include <cstdint>
#include <exception>
#include <limits>
#include <stdexcept>
#include <utility>

#include "lsFeatures.h"
#include "lsFraming.h"

using nlohmann::json;

namespace {

// JSON-RPC's and the protocol's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;
constexpr int kRequestFailed = -32803;

#ifndef TARVELKIN_VERSION
#define TARVELKIN_VERSION "0"
#endif

// What the compiler's messages call a script: the last part of its URI, its
// %XX escapes read.
std::string scriptName(std::string_view uri) {
    const std::size_t slash = uri.find_last_of('/');
    const std::string_view last = slash == std::string_view::npos ? uri : uri.substr(slash + 1);
    std::string name;
    for (std::size_t i = 0; i < last.size(); ++i) {
        const auto hex = [](char c) {
            return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        };
        if (last[i] == '%' && i + 2 < last.size() && hex(last[i + 1]) >= 0 && hex(last[i + 2]) >= 0) {
            name += static_cast<char>(hex(last[i + 1]) * 16 + hex(last[i + 2]));
            i += 2;
        } else {
            name += last[i];
        }
    }
    return name.empty() ? std::string("script.sc") : name;
}

// Parameters that are not as the method takes them: refused with
// InvalidParams, and nothing changes.
struct invalidParams : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The protocol's integer (from -2^31) and uinteger (from 0), both up to 2^31 - 1.
constexpr std::int64_t kMostInteger = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kLeastInteger = std::numeric_limits<std::int32_t>::min();

std::int64_t integerIn(const json& value, std::int64_t least, const std::string& what) {
    const bool whole = value.is_number_integer();
    const bool fits = whole && (value.is_number_unsigned() ? value.get<std::uint64_t>() <= kMostInteger
                                                           : value.get<std::int64_t>() >= least &&
                                                                 value.get<std::int64_t>() <= kMostInteger);
    if (!fits)
        throw invalidParams(what + " must be an integer from " + std::to_string(least) + " to " +
                            std::to_string(kMostInteger) + ", not " + value.dump());
    return value.get<std::int64_t>();
}

const json& member(const json& object, const char* name, const std::string& what) {
    if (!object.is_object() || !object.contains(name)) throw invalidParams(what + " lacks \"" + name + "\"");
    return object[name];
}

// A position's line and character, checked.
editorPosition positionIn(const json& position, const std::string& what) {
    return {static_cast<std::size_t>(integerIn(member(position, "line", what), 0, what + ".line")),
            static_cast<std::size_t>(integerIn(member(position, "character", what), 0, what + ".character"))};
}

std::size_t offsetIn(const textDocument& text, const json& position, positionEncoding encoding) {
    const editorPosition at = positionIn(position, "position");
    return text.offsetOf(at.line, at.character, encoding);
}

json diagnostic(const scriptView& script, std::uint32_t line, const textSpan& where, int severity,
                const std::string& text) {
    return {{"range", rangeOf(script, line, where.column, where.length)},
            {"severity", severity},
            {"source", "tarvelkin"},
            {"message", text}};
}

json errorDiagnostic(const scriptView& script, const scriptError& e) {
    // A file error (an empty script) names no line: it stands at the start.
    if (e.fileErr != 0) return diagnostic(script, 0, {1, 0}, 1, e.message());
    return diagnostic(script, static_cast<std::uint32_t>(e.errLine), {e.errColumn, e.errLength}, 1, e.message());
}

}  // namespace

void languageServer::receiveText(std::string_view body) {
    if (exited) return;  // nothing is read after exit, not even to refuse it
    json message = json::parse(body, nullptr, false);
    // A lone surrogate's escape is no text in JSON; editors send one where a
    // text holds half a pair, and read it as U+FFFD, as it is taken here.
    if (message.is_discarded()) {
        const std::string mended = loneSurrogatesReplaced(body);
        if (!mended.empty()) message = json::parse(mended, nullptr, false);
    }
    if (message.is_discarded()) {
        refuse(nullptr, kParseError, "the message is no JSON");
        return;
    }
    receive(message);
}

void languageServer::receive(const json& message) {
    if (exited) return;
    const bool hasId = message.is_object() && message.contains("id");
    const json id = hasId ? message["id"] : json(nullptr);
    if (!message.is_object() || (hasId && !id.is_number_integer() && !id.is_string() && !id.is_null())) {
        refuse(nullptr, kInvalidRequest, "a message must be a JSON object with a number or text as its id");
        return;
    }
    const auto method = message.find("method");
    if (method == message.end()) return;  // an answer to a request: this server sends none
    if (!method->is_string()) {
        if (hasId) refuse(id, kInvalidRequest, "the method must be a text");
        return;
    }
    const std::string name = method->get<std::string>();
    // Parameters left out or null: none.
    const json params = message.contains("params") && !message["params"].is_null() ? message["params"] : json::object();
    try {
        if (hasId) {
            request(id, name, params);
        } else {
            notification(name, params);
        }
    } catch (const requestFailure& e) {
        if (hasId) refuse(id, kRequestFailed, e.what());
    } catch (const invalidParams& e) {
        refuseParams(hasId, id, name, e.what());
    } catch (const json::exception& e) {
        refuseParams(hasId, id, name, std::string("the parameters are not as the method takes them: ") + e.what());
    } catch (const std::exception& e) {
        if (hasId) refuse(id, kInternalError, e.what());
    }
}

void languageServer::request(const json& id, const std::string& method, const json& params) {
    if (method == "initialize") {
        if (initialized) return refuse(id, kInvalidRequest, "initialize came twice");
        answer(id, initialize(params));
        initialized = true;
        return;
    }
    if (!initialized) return refuse(id, kServerNotInitialized, "the first request must be initialize");
    if (shutDown) return refuse(id, kInvalidRequest, "the server has been shut down; only exit is taken");
    // The answer needs the same compile as the diagnostics: they go out first.
    idle();
    if (method == "shutdown") {
        shutDown = true;
        return answer(id, nullptr);
    }
    const bool known = method == "textDocument/hover" || method == "textDocument/definition" ||
                       method == "textDocument/references" || method == "textDocument/documentSymbol" ||
                       method == "textDocument/completion" || method == "textDocument/prepareRename" ||
                       method == "textDocument/rename";
    if (!known) return refuse(id, kMethodNotFound, "no method " + method);
    document* doc = find(params);
    if (doc == nullptr) return answer(id, nullptr);  // a script that is not open
    const std::string& uri = params.at("textDocument").at("uri").get_ref<const std::string&>();
    const scriptView script{uri, doc->text, indexOf(*doc), encoding, snippets};
    if (method == "textDocument/documentSymbol") return answer(id, documentSymbols(script));
    const std::size_t offset = offsetIn(doc->text, params.at("position"), encoding);
    if (method == "textDocument/hover") return answer(id, hover(script, offset));
    if (method == "textDocument/definition") return answer(id, definition(script, offset));
    if (method == "textDocument/references") {
        const json& context = params.contains("context") ? params["context"] : json::object();
        return answer(id, references(script, offset, context.value("includeDeclaration", false)));
    }
    if (method == "textDocument/completion") return answer(id, completion(script, offset));
    if (method == "textDocument/prepareRename") return answer(id, prepareRename(script, offset));
    return answer(id, rename(script, offset, params.at("newName").get<std::string>()));
}

void languageServer::notification(const std::string& method, const json& params) {
    if (method == "exit") {
        exited = true;
        return;
    }
    if (!initialized || shutDown) return;  // dropped, as the protocol says
    if (method == "textDocument/didOpen") open(params);
    if (method == "textDocument/didChange") change(params);
    if (method == "textDocument/didClose") close(params);
}

json languageServer::initialize(const json& params) {
    // UTF-8 positions where the editor takes them (the compiler counts bytes),
    // else UTF-16, which every editor takes.
    encoding = positionEncoding::utf16;
    const json capabilities = params.value("capabilities", json::object());
    const json general = capabilities.is_object() ? capabilities.value("general", json::object()) : json::object();
    const json offered = general.is_object() ? general.value("positionEncodings", json::array()) : json::array();
    if (offered.is_array())
        for (const json& name : offered)
            if (name == "utf-8") encoding = positionEncoding::utf8;
    const json::json_pointer snippetSupport("/textDocument/completion/completionItem/snippetSupport");
    snippets = capabilities.is_object() && capabilities.contains(snippetSupport) &&
               capabilities.at(snippetSupport) == true;
    return {{"capabilities",
             {{"positionEncoding", encoding == positionEncoding::utf8 ? "utf-8" : "utf-16"},
              {"textDocumentSync", {{"openClose", true}, {"change", 2}}},
              {"hoverProvider", true},
              {"definitionProvider", true},
              {"referencesProvider", true},
              {"documentSymbolProvider", true},
              {"completionProvider", {{"triggerCharacters", {"=", ",", " "}}}},
              {"renameProvider", {{"prepareProvider", true}}}}},
            {"serverInfo", {{"name", "tarvelkin-ls"}, {"version", TARVELKIN_VERSION}}}};
}

languageServer::document* languageServer::find(const json& params) {
    const auto found = documents.find(params.at("textDocument").at("uri").get<std::string>());
    return found == documents.end() ? nullptr : &found->second;
}

namespace {

// A document's version, when the message gives one.
std::int64_t versionIn(const json& item, std::int64_t otherwise) {
    if (!item.contains("version") || item["version"].is_null()) return otherwise;
    return integerIn(item["version"], kLeastInteger, "textDocument.version");
}

}  // namespace

void languageServer::open(const json& params) {
    const json& item = member(params, "textDocument", "params");
    const std::string uri = member(item, "uri", "textDocument").get<std::string>();
    const json& text = member(item, "text", "textDocument");
    if (!text.is_string()) throw invalidParams("textDocument.text must be a text");
    document doc;
    doc.version = versionIn(item, 0);
    doc.text.setText(text.get<std::string>());
    doc.name = scriptName(uri);
    documents.insert_or_assign(uri, std::move(doc));
}

void languageServer::change(const json& params) {
    document* doc = find(params);
    if (doc == nullptr) return;
    // Every change is checked before the first is made: a batch is made
    // whole or not at all, so that the text stays the editor's.
    const std::int64_t version = versionIn(params.at("textDocument"), doc->version);
    const json& changes = member(params, "contentChanges", "params");
    if (!changes.is_array()) throw invalidParams("contentChanges must be a list");
    struct edit {
        const json* text;
        bool whole;
        editorPosition start, end;
    };
    std::vector<edit> edits;
    for (const json& one : changes) {
        const json& text = member(one, "text", "a content change");
        if (!text.is_string()) throw invalidParams("a content change's text must be a text");
        if (!one.contains("range")) {
            edits.push_back({&text, true, {}, {}});
            continue;
        }
        const json& range = one["range"];
        edits.push_back({&text, false, positionIn(member(range, "start", "range"), "range.start"),
                         positionIn(member(range, "end", "range"), "range.end")});
    }
    doc->index.reset();
    doc->published = false;
    for (const edit& e : edits) {
        if (e.whole) {
            doc->text.setText(e.text->get<std::string>());
            continue;
        }
        const std::size_t from = doc->text.offsetOf(e.start.line, e.start.character, encoding);
        const std::size_t to = doc->text.offsetOf(e.end.line, e.end.character, encoding);
        doc->text.replace(std::min(from, to), std::max(from, to), e.text->get_ref<const std::string&>());
    }
    doc->version = version;
}

void languageServer::close(const json& params) {
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    if (documents.erase(uri) == 0) return;
    // Its problems leave the editor with it.
    send({{"jsonrpc", "2.0"},
          {"method", "textDocument/publishDiagnostics"},
          {"params", {{"uri", uri}, {"diagnostics", json::array()}}}});
}

const scriptIndex& languageServer::indexOf(document& doc) {
    if (!doc.index) doc.index.emplace(doc.text, doc.name);
    return *doc.index;
}

void languageServer::idle() {
    for (auto& [uri, doc] : documents)
        if (!doc.published) publish(uri, doc);
}

void languageServer::publish(const std::string& uri, document& doc) {
    const scriptView script{uri, doc.text, indexOf(doc), encoding};
    json list = json::array();
    const compileResult& compiled = script.index.compiled();
    for (const scriptWarning& w : compiled.warnings) list.push_back(diagnostic(script, w.line, w.where, 2, w.text));
    if (compiled.error) list.push_back(errorDiagnostic(script, *compiled.error));
    for (const scriptError& e : compiled.laterErrors) list.push_back(errorDiagnostic(script, e));
    if (compiled.firstLeftOut) {
        const scriptError& e = *compiled.firstLeftOut;
        list.push_back(diagnostic(script, static_cast<std::uint32_t>(e.errLine), {e.errColumn, e.errLength}, 1,
                                  "more than " + std::to_string(kMostErrors) +
                                      " errors: the reading stops here, and the errors from here on are left out"));
    }
    send({{"jsonrpc", "2.0"},
          {"method", "textDocument/publishDiagnostics"},
          {"params", {{"uri", uri}, {"version", doc.version}, {"diagnostics", std::move(list)}}}});
    doc.published = true;
}

void languageServer::send(const json& message) {
    // Texts of a script that are no UTF-8 are sent with U+FFFD in their place.
    output.push_back(message.dump(-1, ' ', false, json::error_handler_t::replace));
}

void languageServer::answer(const json& id, json result) {
    send({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
}

void languageServer::refuseParams(bool request, const json& id, const std::string& method, const std::string& why) {
    if (request) return refuse(id, kInvalidParams, why);
    // A notification has no answer: the editor's log says why nothing changed.
    send({{"jsonrpc", "2.0"},
          {"method", "window/logMessage"},
          {"params", {{"type", 1}, {"message", method + " refused, nothing changed: " + why}}}});
}

void languageServer::refuse(const json& id, int code, const std::string& text) {
    send({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", text}}}});
}

std::vector<std::string> languageServer::takeOutput() { return std::exchange(output, {}); }
