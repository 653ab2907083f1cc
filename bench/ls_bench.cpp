// The language server on the largest script the limits allow (5000 lines):
// from a change arriving as a message to its diagnostics published, as one
// keystroke in an editor costs the server. In-process, so that what is timed
// is the server's work: the message read, the change made, the script
// compiled and indexed, the diagnostics written as JSON. Run:
// build-bench/bench/ls_bench (bench/ls_bench.js times the same through the
// real process's pipes).
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include <string>

#include "lsServer.h"
#include "scripts.h"

namespace {

using nlohmann::json;

const char* const kUri = "file:///bench/largest.sc";

// A server with the script open and its first diagnostics published.
void open(languageServer& server, const std::string& script) {
    server.receive(json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", {{"capabilities", json::object()}}}});
    server.receive(json{{"jsonrpc", "2.0"},
                        {"method", "textDocument/didOpen"},
                        {"params", {{"textDocument", {{"uri", kUri}, {"version", 1}, {"text", script}}}}}});
    server.idle();
    server.takeOutput();
}

// Each iteration types one character into the script (a line of the list
// section near its start, where an edit costs most to apply), alternately
// inserting and deleting it, and the server publishes the diagnostics.
void typing(benchmark::State& state, const std::string& script, bool wholeText) {
    languageServer server;
    open(server, script);
    const int line = 8;
    std::string text = script;
    int version = 1;
    std::size_t published = 0;
    for (auto _ : state) {
        const bool insert = version % 2 == 1;
        json change = {{"text", insert ? "x" : ""}};
        if (wholeText) {
            // What an editor sends when it does not send changes alone.
            const std::size_t at = text.find("\nname=") + 6;
            if (insert) {
                text.insert(at, 1, 'x');
            } else {
                text.erase(at, 1);
            }
            change = {{"text", text}};
        } else {
            change["range"] = {{"start", {{"line", line}, {"character", 5}}},
                               {"end", {{"line", line}, {"character", insert ? 5 : 6}}}};
        }
        ++version;
        const std::string body =
            json{{"jsonrpc", "2.0"},
                 {"method", "textDocument/didChange"},
                 {"params", {{"textDocument", {{"uri", kUri}, {"version", version}}}, {"contentChanges", {change}}}}}
                .dump();
        server.receiveText(body);
        server.idle();
        published += server.takeOutput().size();
    }
    if (published != static_cast<std::size_t>(state.iterations())) state.SkipWithError("a change was not published once");
}

void BM_ChangeToDiagnostics(benchmark::State& state) {
    static const std::string script = benchScripts::largestScript();
    typing(state, script, false);
}
BENCHMARK(BM_ChangeToDiagnostics)->Unit(benchmark::kMillisecond);

// The whole text in every change, as editors that do not send changes alone.
void BM_WholeTextToDiagnostics(benchmark::State& state) {
    static const std::string script = benchScripts::largestScript();
    typing(state, script, true);
}
BENCHMARK(BM_WholeTextToDiagnostics)->Unit(benchmark::kMillisecond);

// A script with an error in every tenth key: the compiler reads on past
// each (once per error, up to its bound) to find the sections after it.
void BM_ChangeWithErrors(benchmark::State& state) {
    static const std::string script = [] {
        std::string s = benchScripts::largestScript();
        int n = 0;
        for (std::size_t at = s.find("order = keys path value"); at != std::string::npos;
             at = s.find("order = keys path value", at + 1))
            if (n++ % 10 == 0) s.replace(at, 23, "order = keys pth value ");
        return s;
    }();
    typing(state, script, false);
}
BENCHMARK(BM_ChangeWithErrors)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
