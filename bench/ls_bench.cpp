// The language server on the largest script the limits allow (5000 lines):
// from a change arriving as a message to its diagnostics published, as one
// keystroke in an editor costs the server. In-process, so that what is timed
// is the server's work: the message read, the change made, the script
// compiled and indexed, the diagnostics written as JSON. Then scripts that
// would cost a server that is not linear in them: a line of 1 MB of names,
// 40,000 sections, 10 MB of text. Run: build-bench/bench/ls_bench
// (bench/ls_bench.js times the first through the real process's pipes).
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

// The message of a change that types "x" at the line's sixth character, or
// deletes it again.
std::string changeMessage(int version, int line, bool insert) {
    const json change = {{"text", insert ? "x" : ""},
                         {"range", {{"start", {{"line", line}, {"character", 5}}},
                                    {"end", {{"line", line}, {"character", insert ? 5 : 6}}}}}};
    return json{{"jsonrpc", "2.0"},
                {"method", "textDocument/didChange"},
                {"params", {{"textDocument", {{"uri", kUri}, {"version", version}}}, {"contentChanges", {change}}}}}
        .dump();
}

// Each iteration types one character into the script (a line of the list
// section near its start, where an edit costs most to apply), alternately
// inserting and deleting it, and the server publishes the diagnostics.
void typing(benchmark::State& state, const std::string& script, bool wholeText, int line = 8) {
    languageServer server;
    open(server, script);
    std::string text = script;
    int version = 1;
    std::size_t published = 0;
    for (auto _ : state) {
        const bool insert = version % 2 == 1;
        ++version;
        std::string body = changeMessage(version, line, insert);
        if (wholeText) {
            // What an editor sends when it does not send changes alone.
            const std::size_t at = text.find("\nname=") + 6;
            if (insert) {
                text.insert(at, 1, 'x');
            } else {
                text.erase(at, 1);
            }
            body = json{{"jsonrpc", "2.0"},
                        {"method", "textDocument/didChange"},
                        {"params", {{"textDocument", {{"uri", kUri}, {"version", version}}},
                                    {"contentChanges", {{{"text", text}}}}}}}
                       .dump();
        }
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

// One items line of 1 MB (210,000 names) and one filters line of 1 MB.
const std::string& longItemsLine() {
    static const std::string script = benchScripts::itemsLineScript(1 << 20);
    return script;
}
const std::string& longFiltersLine() {
    static const std::string script =
        std::string(benchScripts::kHeader) + "list l\nname=L\nitems=k\nfile f\nname=F\naction = load\nfilters = t" +
        benchScripts::repeated(" ,  t", 1 << 20) + "\n" + benchScripts::kTail;
    return script;
}

// From opening the script to its diagnostics published.
void opening(benchmark::State& state, const std::string& script) {
    std::size_t published = 0;
    for (auto _ : state) {
        languageServer server;
        open(server, script);
        ++published;
    }
    benchmark::DoNotOptimize(published);
}

void BM_OpenItemsLine1MB(benchmark::State& state) { opening(state, longItemsLine()); }
BENCHMARK(BM_OpenItemsLine1MB)->Unit(benchmark::kMillisecond);
void BM_OpenFiltersLine1MB(benchmark::State& state) { opening(state, longFiltersLine()); }
BENCHMARK(BM_OpenFiltersLine1MB)->Unit(benchmark::kMillisecond);
void BM_ChangeItemsLine1MB(benchmark::State& state) { typing(state, longItemsLine(), false, 8); }
BENCHMARK(BM_ChangeItemsLine1MB)->Unit(benchmark::kMillisecond);
void BM_ChangeFiltersLine1MB(benchmark::State& state) { typing(state, longFiltersLine(), false, 12); }
BENCHMARK(BM_ChangeFiltersLine1MB)->Unit(benchmark::kMillisecond);

// 0.7 MB of 40,000 sections: 20,000 lists and 20,000 def lines, ending in a
// list that lacks its items. Completion at the start of the line after it
// (what that list lacks), and of a list's name after "def".
const std::string& manySections() {
    static const std::string script = [] {
        std::string s = benchScripts::kHeader;
        for (int n = 0; n < 20000; ++n) s += "list l" + std::to_string(n) + "\nname=L\nitems=k\n";
        for (int n = 0; n < 20000; ++n) s += "def l" + std::to_string(n) + "\n";
        return s + "list last\nname=Last\n\ndef \n";
    }();
    return script;
}

void completing(benchmark::State& state, int line, int character) {
    languageServer server;
    open(server, manySections());
    int id = 2;
    std::size_t items = 0;
    for (auto _ : state) {
        server.receiveText(json{{"jsonrpc", "2.0"},
                                {"id", id++},
                                {"method", "textDocument/completion"},
                                {"params", {{"textDocument", {{"uri", kUri}}},
                                            {"position", {{"line", line}, {"character", character}}}}}}
                               .dump());
        items += server.takeOutput().front().size();
    }
    benchmark::DoNotOptimize(items);
}

void BM_CompletionLineStart40000Sections(benchmark::State& state) { completing(state, 6 + 60000 + 2, 0); }
BENCHMARK(BM_CompletionLineStart40000Sections)->Unit(benchmark::kMillisecond);
void BM_CompletionListNames40000Sections(benchmark::State& state) { completing(state, 6 + 60000 + 3, 4); }
BENCHMARK(BM_CompletionListNames40000Sections)->Unit(benchmark::kMillisecond);

// A one-character change in 10 MB of text (the largest script 90 times),
// near its start: the change made, before anything is compiled.
void BM_ChangeIn10MBBeforeCompiling(benchmark::State& state) {
    static const std::string script = benchScripts::repeated(benchScripts::largestScript(), 10 << 20);
    languageServer server;
    open(server, script);
    int version = 1;
    for (auto _ : state) {
        ++version;
        server.receiveText(changeMessage(version, 8, version % 2 == 0));
    }
    server.idle();
    if (server.takeOutput().size() != 1) state.SkipWithError("the changes were not published once");
}
BENCHMARK(BM_ChangeIn10MBBeforeCompiling)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
