// Fuzzes the language server's request handling with arbitrary documents
// (the compiler fuzzer's corpus as seeds): the input is a script, opened in a
// session that counts positions in UTF-8 or UTF-16 (by the input's length),
// then asked for everything the server answers at positions taken from the
// input, changed by an edit taken from the input, and asked again. Every
// answer must be JSON whose ranges lie in the document, and a rename of an
// item in a script that compiles must give a script that compiles to the same
// config: names are not in the config.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "compileText.h"
#include "lsServer.h"
#include "lsText.h"

using nlohmann::json;

namespace {

const char* const kUri = "file:///fuzz/fuzz.sc";

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "%s\n", why.c_str());
    std::abort();
}

// Every range in an answer stands in the document, its start before its end.
void checkRanges(const json& value, std::size_t lines) {
    if (value.is_object()) {
        const auto range = value.find("range");
        if (range != value.end() && range->is_object() && range->contains("start")) {
            const auto line = [](const json& p) { return p.at("line").get<std::size_t>(); };
            const auto character = [](const json& p) { return p.at("character").get<std::size_t>(); };
            const json& start = range->at("start");
            const json& end = range->at("end");
            if (line(end) >= lines || line(start) > line(end) ||
                (line(start) == line(end) && character(start) > character(end)))
                fail("a range outside the document or backwards: " + range->dump());
        }
    }
    if (value.is_structured())
        for (const json& item : value) checkRanges(item, lines);
}

// The server's answers since the last call, each parsed; the answer to id, if any.
json answers(languageServer& server, std::size_t lines, int id = -1) {
    json found;
    for (const std::string& body : server.takeOutput()) {
        const json message = json::parse(body, nullptr, false);
        if (message.is_discarded()) fail("the server sent no JSON: " + body.substr(0, 200));
        checkRanges(message, lines);
        if (message.contains("id") && message["id"] == id) found = message;
    }
    return found;
}

json request(int id, const char* method, json params) {
    params["textDocument"] = {{"uri", kUri}};
    return {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}};
}

// The text with a rename's edits made, each range read in the encoding.
std::string applied(const std::string& text, const json& edits, positionEncoding encoding) {
    const textDocument document(text);
    struct cut {
        std::size_t from, to;
        std::string with;
    };
    std::vector<cut> cuts;
    for (const json& edit : edits) {
        const json& range = edit.at("range");
        cuts.push_back({document.offsetOf(range["start"]["line"], range["start"]["character"], encoding),
                        document.offsetOf(range["end"]["line"], range["end"]["character"], encoding),
                        edit.at("newText").get<std::string>()});
    }
    std::sort(cuts.begin(), cuts.end(), [](const cut& a, const cut& b) { return a.from > b.from; });
    std::string out = text;
    for (const cut& c : cuts) out.replace(c.from, c.to - c.from, c.with);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const positionEncoding encoding = size % 2 == 0 ? positionEncoding::utf16 : positionEncoding::utf8;
    const std::size_t lines = textDocument(text).positionOf(text.size(), encoding).line + 1;
    // Positions taken from the input: a line and a character per pair of bytes.
    const auto positionAt = [&](std::size_t n) {
        const std::size_t a = size == 0 ? 0 : data[(n * 7) % size];
        const std::size_t b = size == 0 ? 0 : data[(n * 13 + 1) % size];
        return json{{"line", (a * 31 + b) % (lines + 1)}, {"character", b % 48}};
    };

    languageServer server;
    json capabilities = json::object();
    if (encoding == positionEncoding::utf8) capabilities["general"]["positionEncodings"] = {"utf-8"};
    server.receive(json{{"jsonrpc", "2.0"}, {"id", 0}, {"method", "initialize"}, {"params", {{"capabilities", capabilities}}}});
    server.receive(json{{"jsonrpc", "2.0"},
                        {"method", "textDocument/didOpen"},
                        {"params", {{"textDocument", {{"uri", kUri}, {"version", 1}, {"text", text}}}}}});
    server.idle();
    answers(server, lines);

    int id = 1;
    const auto ask = [&](std::size_t lineCount) {
        for (std::size_t n = 0; n < 4; ++n) {
            const json at = positionAt(n);
            for (const char* method : {"textDocument/hover", "textDocument/completion", "textDocument/definition",
                                       "textDocument/prepareRename"}) {
                server.receive(request(id, method, {{"position", at}}));
                answers(server, lineCount, id++);
            }
            server.receive(request(id, "textDocument/references", {{"position", at}, {"context", {{"includeDeclaration", true}}}}));
            answers(server, lineCount, id++);
            server.receive(request(id, "textDocument/rename", {{"position", at}, {"newName", "zq" + std::to_string(n)}}));
            answers(server, lineCount, id++);
        }
        server.receive(request(id, "textDocument/documentSymbol", json::object()));
        return answers(server, lineCount, id++);
    };
    const json symbols = ask(lines);

    // A rename at a section's name: the script compiles to the same config after it.
    const compileResult before = compileText(text, "fuzz.sc");
    if (before.ok() && symbols.contains("result") && !symbols["result"].empty()) {
        const json& all = symbols["result"];
        const json& symbol = all[(size == 0 ? 0 : data[size / 2]) % all.size()];
        server.receive(request(id, "textDocument/rename",
                               {{"position", symbol["selectionRange"]["start"]}, {"newName", "zq9renamed"}}));
        const json renamed = answers(server, lines, id++);
        if (renamed.contains("result") && renamed["result"].contains("changes")) {
            const std::string after = applied(text, renamed["result"]["changes"][kUri], encoding);
            const compileResult again = compileText(after, "fuzz.sc");
            if (!again.ok() || again.config != before.config)
                fail("a rename changed what the script compiles to:\n" + after.substr(0, 2000));
        }
    }

    // An edit taken from the input, then everything again.
    const json from = positionAt(size / 3);
    const json to = positionAt(size / 5);
    const std::string inserted = text.substr(size / 4, size % 17);
    json change = {{"range", {{"start", from}, {"end", to}}}, {"text", inserted}};
    json params = {{"textDocument", {{"uri", kUri}, {"version", 2}}}, {"contentChanges", json::array({change})}};
    server.receive(json{{"jsonrpc", "2.0"}, {"method", "textDocument/didChange"}, {"params", std::move(params)}});
    textDocument edited(text);
    const std::size_t a = edited.offsetOf(from["line"], from["character"], encoding);
    const std::size_t b = edited.offsetOf(to["line"], to["character"], encoding);
    edited.replace(std::min(a, b), std::max(a, b), inserted);
    const std::size_t editedLines = edited.positionOf(edited.text().size(), encoding).line + 1;
    server.idle();
    answers(server, editedLines);
    ask(editedLines);
    server.receive(json{{"jsonrpc", "2.0"}, {"id", id}, {"method", "shutdown"}});
    server.receive(json{{"jsonrpc", "2.0"}, {"method", "exit"}});
    answers(server, editedLines);
    if (!server.finished() || server.exitStatus() != 0) fail("shutdown and exit did not end the server");
    return 0;
}
