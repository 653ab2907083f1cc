// The language server's conversation where a client gets it wrong or goes
// its own way: messages that are no request, parameters of the wrong shape,
// requests out of turn, a script replaced whole, closed, or never opened.
// Each row talks to a fresh server that has been initialized, and compares
// every message the server sends after that, exactly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lsServer.h"

namespace {

const std::string script = "# h1\n# h2\n# h3\n# h4\n# h5\n# h6\nlist l\nname=L\nitems = k\nkey k\nname=K\n"
                           "order = keys, disable\narg=-k\nnext = disable\nkmarg = disable\nkfile = disable\n"
                           "def l\n";

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

const std::string open = R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":)"
                         R"({"uri":"file:///w/a.sc","languageId":"tarvelkin","version":1,"text":"x"}}})";
const std::string uri = R"({"textDocument":{"uri":"file:///w/a.sc"}})";
const std::string close = R"({"jsonrpc":"2.0","method":"textDocument/didClose","params":)" + uri + "}";

// A request about the script, with more parameters; a position.
std::string request(int id, const std::string& method, const std::string& more) {
    return R"({"jsonrpc":"2.0","id":)" + std::to_string(id) + R"(,"method":")" + method +
           R"(","params":{"textDocument":{"uri":"file:///w/a.sc"},)" + more + "}}";
}
std::string at(int line, int character) {
    return R"("position":{"line":)" + std::to_string(line) + R"(,"character":)" + std::to_string(character) + "}";
}
std::string change(const std::string& changes) {
    return R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file:///w/a.sc","version":2},"contentChanges":)" +
           changes + "}}";
}
// What the editor's log is told when a notification changes nothing.
std::string refusedNote(const std::string& method, const std::string& why) {
    return nlohmann::json{{"jsonrpc", "2.0"},
                          {"method", "window/logMessage"},
                          {"params", {{"type", 1}, {"message", method + " refused, nothing changed: " + why}}}}
        .dump();
}
// A script without a mistake, opened, and its diagnostics (none), which go
// out before the answer to the next request.
const std::string openWhole = R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":)"
                              R"({"uri":"file:///w/a.sc","languageId":"tarvelkin","version":1,"text":)" +
                              quoted(script) + "}}}";
const std::string published =
    R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file:///w/a.sc","version":1}})";

// The answer to initialize, for an editor that takes positions in UTF-16 or UTF-8.
std::string initialized(const std::string& id, const char* encoding = "utf-16") {
    return R"({"id":)" + id + R"(,"jsonrpc":"2.0","result":{"capabilities":{"completionProvider":{"triggerCharacters":["=",","," "]},)"
           R"("definitionProvider":true,"documentSymbolProvider":true,"hoverProvider":true,"positionEncoding":")" +
           encoding +
           R"(","referencesProvider":true,"renameProvider":{"prepareProvider":true},"textDocumentSync":{"change":2,"openClose":true}},)"
           R"("serverInfo":{"name":"tarvelkin-ls","version":")" TARVELKIN_VERSION R"("}}})";
}

TEST(languageServer, AnswersWhatAClientGetsWrong) {
    const struct {
        const char* what;
        std::vector<std::string> in;
        std::vector<std::string> out;
        int exitStatus = -1;  // the exit notification came: the status it gives
        bool initialize = true;  // the server has been initialized before the row's messages
    } cases[] = {
        {"a message that is not an object", {"[1,2]"},
         {R"({"error":{"code":-32600,"message":"a message must be a JSON object with a number or text as its id"},"id":null,"jsonrpc":"2.0"})"}},
        {"an id that is neither number nor text", {R"({"jsonrpc":"2.0","id":{"a":1},"method":"shutdown"})"},
         {R"({"error":{"code":-32600,"message":"a message must be a JSON object with a number or text as its id"},"id":null,"jsonrpc":"2.0"})"}},
        {"a method that is not a text", {R"({"jsonrpc":"2.0","id":7,"method":5})", R"({"jsonrpc":"2.0","method":5})"},
         {R"({"error":{"code":-32600,"message":"the method must be a text"},"id":7,"jsonrpc":"2.0"})"}},
        {"parameters of the wrong shape", {R"({"jsonrpc":"2.0","id":"h","method":"textDocument/hover","params":{}})"},
         {R"({"error":{"code":-32602,"message":"the parameters are not as the method takes them: [json.exception.out_of_range.403] key 'textDocument' not found"},"id":"h","jsonrpc":"2.0"})"}},
        {"a notification of the wrong shape changes nothing, and the editor's log says why",
         {R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":5}})"},
         {R"({"jsonrpc":"2.0","method":"window/logMessage","params":{"message":"textDocument/didOpen refused, nothing changed: textDocument lacks \"uri\"","type":1}})"}},
        {"initialize twice", {R"({"jsonrpc":"2.0","id":2,"method":"initialize","params":{}})"},
         {R"({"error":{"code":-32600,"message":"initialize came twice"},"id":2,"jsonrpc":"2.0"})"}},
        {"a request after shutdown",
         {R"({"jsonrpc":"2.0","id":1,"method":"shutdown"})", R"({"jsonrpc":"2.0","id":2,"method":"textDocument/hover"})",
          R"({"jsonrpc":"2.0","method":"exit"})", R"({"jsonrpc":"2.0","id":3,"method":"shutdown"})"},
         {R"({"id":1,"jsonrpc":"2.0","result":null})",
          R"({"error":{"code":-32600,"message":"the server has been shut down; only exit is taken"},"id":2,"jsonrpc":"2.0"})"},
         0},
        {"exit without shutdown", {R"({"jsonrpc":"2.0","method":"exit"})"}, {}, 1},
        {"closing a script clears its diagnostics",
         {open, R"({"jsonrpc":"2.0","method":"textDocument/didClose","params":)" + uri + "}"},
         {R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file:///w/a.sc"}})"}},
        {"closing a script never opened", {R"({"jsonrpc":"2.0","method":"textDocument/didClose","params":)" + uri + "}"}, {}},
        {"a change without a range replaces the whole text",
         {open,
          R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file:///w/a.sc","version":2},"contentChanges":[{"text":)" +
              quoted(script) + "}]}}",
          R"({"jsonrpc":"2.0","id":1,"method":"shutdown"})"},
         {R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file:///w/a.sc","version":2}})",
          R"({"id":1,"jsonrpc":"2.0","result":null})"}},
        {"a request about a script that is not open",
         {R"({"jsonrpc":"2.0","id":4,"method":"textDocument/documentSymbol","params":)" + uri + "}"},
         {R"({"id":4,"jsonrpc":"2.0","result":null})"}},

        // Messages out of turn.
        {"a request before initialize is refused, a notification dropped",
         {R"({"jsonrpc":"2.0","id":1,"method":"textDocument/documentSymbol","params":)" + uri + "}", open,
          R"({"jsonrpc":"2.0","id":2,"method":"initialize","params":{}})",
          R"({"jsonrpc":"2.0","id":3,"method":"textDocument/documentSymbol","params":)" + uri + "}"},
         {R"({"error":{"code":-32002,"message":"the first request must be initialize"},"id":1,"jsonrpc":"2.0"})",
          initialized("2"), R"({"id":3,"jsonrpc":"2.0","result":null})"},
         -1, false},
        {"shutdown before initialize is refused too",
         {R"({"jsonrpc":"2.0","id":1,"method":"shutdown"})", R"({"jsonrpc":"2.0","method":"exit"})"},
         {R"({"error":{"code":-32002,"message":"the first request must be initialize"},"id":1,"jsonrpc":"2.0"})"},
         1, false},
        {"notifications after shutdown are dropped",
         {R"({"jsonrpc":"2.0","id":1,"method":"shutdown"})", open, R"({"jsonrpc":"2.0","method":"exit"})"},
         {R"({"id":1,"jsonrpc":"2.0","result":null})"},
         0},
        {"what comes after exit is not read",
         {R"({"jsonrpc":"2.0","method":"exit"})", R"({"jsonrpc":"2.0","id":5,"method":"shutdown"})", "{"},
         {},
         1},

        // Messages that are no request of this server.
        {"a body that is no JSON", {R"({"jsonrpc":"2.0","id":1,"method":"shutdown")"},
         {R"({"error":{"code":-32700,"message":"the message is no JSON"},"id":null,"jsonrpc":"2.0"})"}},
        {"no JSON, lone surrogate or not", {R"({"jsonrpc":"2.0","id":1,"method":"x\ud800")"},
         {R"({"error":{"code":-32700,"message":"the message is no JSON"},"id":null,"jsonrpc":"2.0"})"}},
        {"lone surrogates in a text are read as U+FFFD, a whole pair as its character",
         {R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":)"
          R"({"uri":"file:///w/a.sc","version":1,"text":"\uD83D\ude00\udc00 \ud800\u0041"}}})"},
         {R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"message":"expected a header line beginning with \"#\", found \")"
          "\xF0\x9F\x98\x80\xEF\xBF\xBD \xEF\xBF\xBD"
          R"j(A\" (the header is the first six lines with content)","range":{"end":{"character":6,"line":0},"start":{"character":0,"line":0}},"severity":1,"source":"tarvelkin"},)j"
          R"({"message":"the script ends after 1 of its 6 header lines; expected a line beginning with \"#\"","range":{"end":{"character":6,"line":0},"start":{"character":6,"line":0}},"severity":1,"source":"tarvelkin"}],"uri":"file:///w/a.sc","version":1}})"}},
        {"an id that is a fraction", {R"({"jsonrpc":"2.0","id":1.5,"method":"shutdown"})"},
         {R"({"error":{"code":-32600,"message":"a message must be a JSON object with a number or text as its id"},"id":null,"jsonrpc":"2.0"})"}},
        {"a null id is answered with a null id", {R"({"jsonrpc":"2.0","id":null,"method":"shutdown"})"},
         {R"({"id":null,"jsonrpc":"2.0","result":null})"}},
        {"an answer from the client is taken quietly", {R"({"jsonrpc":"2.0","id":"c1","result":{"applied":true}})"}, {}},
        {"an unknown request: MethodNotFound", {R"({"jsonrpc":"2.0","id":3,"method":"workspace/symbol","params":{}})"},
         {R"({"error":{"code":-32601,"message":"no method workspace/symbol"},"id":3,"jsonrpc":"2.0"})"}},
        {"unknown notifications and cancellations of what was answered are ignored",
         {R"({"jsonrpc":"2.0","method":"$/cancelRequest","params":{"id":0}})",
          R"({"jsonrpc":"2.0","method":"$/setTrace","params":{"value":"off"}})",
          R"({"jsonrpc":"2.0","method":"workspace/didChangeConfiguration"})"},
         {}},
        {"a notification sent with an id is a request: refused, and the script not opened",
         {R"({"jsonrpc":"2.0","id":9,"method":"textDocument/didOpen","params":{"textDocument":)"
          R"({"uri":"file:///w/a.sc","languageId":"tarvelkin","version":1,"text":"x"}}})",
          R"({"jsonrpc":"2.0","id":10,"method":"textDocument/documentSymbol","params":)" + uri + "}"},
         {R"({"error":{"code":-32601,"message":"no method textDocument/didOpen"},"id":9,"jsonrpc":"2.0"})",
          R"({"id":10,"jsonrpc":"2.0","result":null})"}},

        // Requests whose parameters are not as the method takes them.
        {"parameters that are a list", {R"({"jsonrpc":"2.0","id":1,"method":"textDocument/hover","params":[1]})"},
         {R"({"error":{"code":-32602,"message":"the parameters are not as the method takes them: [json.exception.type_error.304] cannot use at() with array"},"id":1,"jsonrpc":"2.0"})"}},
        {"a URI that is a number", {R"({"jsonrpc":"2.0","id":1,"method":"textDocument/hover","params":{"textDocument":{"uri":5}}})"},
         {R"({"error":{"code":-32602,"message":"the parameters are not as the method takes them: [json.exception.type_error.302] type must be string, but is number"},"id":1,"jsonrpc":"2.0"})"}},
        {"a hover without a position", {openWhole, R"({"jsonrpc":"2.0","id":1,"method":"textDocument/hover","params":)" + uri + "}"},
         {published,
          R"({"error":{"code":-32602,"message":"the parameters are not as the method takes them: [json.exception.out_of_range.403] key 'position' not found"},"id":1,"jsonrpc":"2.0"})"}},
        {"a position that is no object", {openWhole, request(1, "textDocument/hover", R"("position":5)")},
         {published, R"({"error":{"code":-32602,"message":"position lacks \"line\""},"id":1,"jsonrpc":"2.0"})"}},
        {"a position far past the end: nothing there", {openWhole, request(1, "textDocument/definition", at(900, 900))},
         {published, R"({"id":1,"jsonrpc":"2.0","result":[]})"}},
        {"references with a context that is no object", {openWhole, request(1, "textDocument/references", at(0, 0) + R"(,"context":5)")},
         {published, R"({"error":{"code":-32602,"message":"the parameters are not as the method takes them: [json.exception.type_error.306] cannot use value() with number"},"id":1,"jsonrpc":"2.0"})"}},
        {"a rename without its new name", {openWhole, request(1, "textDocument/rename", at(0, 0))},
         {published, R"({"error":{"code":-32602,"message":"the parameters are not as the method takes them: [json.exception.out_of_range.403] key 'newName' not found"},"id":1,"jsonrpc":"2.0"})"}},

        // Notifications whose parameters are not as the method takes them:
        // the editor's log says why, and the script stays as it was.
        {"a script's text that is no text",
         {R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file:///w/a.sc","text":5}}})"},
         {refusedNote("textDocument/didOpen", "textDocument.text must be a text")}},
        {"a change to a script never opened changes nothing",
         {change(R"([{"text":"x"}])"), R"({"jsonrpc":"2.0","id":1,"method":"textDocument/documentSymbol","params":)" + uri + "}"},
         {R"({"id":1,"jsonrpc":"2.0","result":null})"}},
        {"a change without its changes", {openWhole, R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":)" + uri + "}"},
         {refusedNote("textDocument/didChange", "params lacks \"contentChanges\""), published}},
        {"changes that are no list", {openWhole, change("5")},
         {refusedNote("textDocument/didChange", "contentChanges must be a list"), published}},
        {"a change without its text", {openWhole, change(R"([{"range":null}])")},
         {refusedNote("textDocument/didChange", "a content change lacks \"text\""), published}},
        {"a change whose text is no text", {openWhole, change(R"([{"text":["x"]}])")},
         {refusedNote("textDocument/didChange", "a content change's text must be a text"), published}},
        {"a range without its end", {openWhole, change(R"([{"text":"y","range":{"start":{"line":0,"character":0}}}])")},
         {refusedNote("textDocument/didChange", "range lacks \"end\""), published}},
        {"closing a script twice: its diagnostics cleared once",
         {open, close, close},
         {R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file:///w/a.sc"}})"}},
        {"a close that names no script", {R"({"jsonrpc":"2.0","method":"textDocument/didClose","params":{}})"},
         {refusedNote("textDocument/didClose", "the parameters are not as the method takes them: [json.exception.out_of_range.403] key 'textDocument' not found")}},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        languageServer server;
        if (t.initialize) {
            server.receiveText(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})");
            EXPECT_EQ(server.takeOutput(), std::vector<std::string>{initialized("0")});
        }
        for (const std::string& message : t.in) server.receiveText(message);
        server.idle();
        EXPECT_EQ(server.takeOutput(), t.out);
        EXPECT_EQ(server.finished(), t.exitStatus >= 0);
        if (t.exitStatus >= 0) {
            EXPECT_EQ(server.exitStatus(), t.exitStatus);
        }
    }
}

// What an editor says it can take, in whatever shape it says it: positions
// in UTF-8 only when offered in a list, snippets only when said with true,
// and parameters that are no object refused, so that initialize may come again.
TEST(languageServer, TakesWhatTheEditorOffersInAnyShape) {
    const struct {
        const char* params;
        const char* encoding;  // null: refused
        bool snippets;
    } cases[] = {
        {"{}", "utf-16", false},
        {R"({"capabilities":5})", "utf-16", false},
        {R"({"capabilities":{"general":"x","textDocument":5}})", "utf-16", false},
        {R"({"capabilities":{"general":{"positionEncodings":"utf-8"}}})", "utf-16", false},
        {R"({"capabilities":{"general":{"positionEncodings":["utf-32"]}}})", "utf-16", false},
        {R"({"capabilities":{"general":{"positionEncodings":[8,"utf-16","utf-8"]}}})", "utf-8", false},
        {R"({"capabilities":{"textDocument":{"completion":{"completionItem":{"snippetSupport":"yes"}}}}})", "utf-16", false},
        {R"({"capabilities":{"textDocument":{"completion":{"completionItem":{"snippetSupport":true}}}}})", "utf-16", true},
        {"5", nullptr, false},
        {"null", "utf-16", false},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.params);
        languageServer server;
        server.receiveText(std::string(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":)") + t.params + "}");
        const std::vector<std::string> answer = server.takeOutput();
        if (t.encoding == nullptr) {
            EXPECT_EQ(answer, std::vector<std::string>{
                                  R"({"error":{"code":-32602,"message":"the parameters are not as the method takes them: [json.exception.type_error.306] cannot use value() with number"},"id":1,"jsonrpc":"2.0"})"});
            server.receiveText(R"({"jsonrpc":"2.0","id":2,"method":"initialize","params":{}})");
            EXPECT_EQ(server.takeOutput(), std::vector<std::string>{initialized("2")});
            continue;
        }
        EXPECT_EQ(answer, std::vector<std::string>{initialized("1", t.encoding)});
        // An empty script: the completion offers its header, as a snippet or as text.
        server.receiveText(R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":)"
                           R"({"uri":"file:///w/a.sc","version":1,"text":""}}})");
        server.receiveText(request(3, "textDocument/completion", at(0, 0)));
        const std::vector<std::string> out = server.takeOutput();
        ASSERT_EQ(out.size(), 2u);
        EXPECT_EQ(out[1].find("${1:the program}") != std::string::npos, t.snippets) << out[1];
    }
}

// The compiler's messages name a script by the last part of its URI, its
// escapes read, as the person sees it in the editor's tab.
TEST(languageServer, NamesAScriptAsItsEditorShowsIt) {
    const struct {
        const char* uri;
        const char* name;
    } cases[] = {
        {"file:///w/my%20d%C3%A9j%c3%a0.sc", "my d\xC3\xA9j\xC3\xA0.sc"},
        {"untitled:Untitled-1", "untitled:Untitled-1"},
        {"file:///w/100%25%2", "100%%2"},
        {"file:///w/%zz%4", "%zz%4"},
        {"file:///w/", "script.sc"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.uri);
        languageServer server;
        server.receiveText(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})");
        server.receiveText(std::string(R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":")") +
                           t.uri + R"(","version":1,"text":""}}})");
        server.idle();
        const std::vector<std::string> out = server.takeOutput();
        ASSERT_EQ(out.size(), 2u);
        const nlohmann::json diagnostics = nlohmann::json::parse(out[1])["params"]["diagnostics"];
        ASSERT_EQ(diagnostics.size(), 1u);
        EXPECT_EQ(diagnostics[0]["message"].get<std::string>(),
                  std::string("the script \"") + t.name + "\" is empty: it holds no bytes at all");
    }
}

}  // namespace
