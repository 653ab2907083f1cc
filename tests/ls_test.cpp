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

TEST(languageServer, AnswersWhatAClientGetsWrong) {
    const struct {
        const char* what;
        std::vector<std::string> in;
        std::vector<std::string> out;
        int exitStatus = -1;  // the exit notification came: the status it gives
    } cases[] = {
        {"a message that is not an object", {"[1,2]"},
         {R"({"error":{"code":-32600,"message":"a message must be a JSON object with a number or text as its id"},"id":null,"jsonrpc":"2.0"})"}},
        {"an id that is neither number nor text", {R"({"jsonrpc":"2.0","id":{"a":1},"method":"shutdown"})"},
         {R"({"error":{"code":-32600,"message":"a message must be a JSON object with a number or text as its id"},"id":null,"jsonrpc":"2.0"})"}},
        {"a method that is not a text", {R"({"jsonrpc":"2.0","id":7,"method":5})", R"({"jsonrpc":"2.0","method":5})"},
         {R"({"error":{"code":-32600,"message":"the method must be a text"},"id":7,"jsonrpc":"2.0"})"}},
        {"parameters of the wrong shape", {R"({"jsonrpc":"2.0","id":"h","method":"textDocument/hover","params":{}})"},
         {R"({"error":{"code":-32602,"message":"the parameters are not as the method takes them: [json.exception.out_of_range.403] key 'textDocument' not found"},"id":"h","jsonrpc":"2.0"})"}},
        {"a notification of the wrong shape says nothing",
         {R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":5}})"}, {}},
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
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        languageServer server;
        server.receiveText(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})");
        server.takeOutput();
        for (const std::string& message : t.in) server.receiveText(message);
        server.idle();
        EXPECT_EQ(server.takeOutput(), t.out);
        EXPECT_EQ(server.finished(), t.exitStatus >= 0);
        if (t.exitStatus >= 0) {
            EXPECT_EQ(server.exitStatus(), t.exitStatus);
        }
    }
}

}  // namespace
