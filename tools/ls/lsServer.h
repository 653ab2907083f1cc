// The language server's conversation: JSON-RPC messages in, answers and
// diagnostics out, for the scripts an editor has open. It holds each open
// script's text and, once asked about it, its index (lsIndex.h); it never
// writes a file.
//
// Parameters are checked before anything changes: a position, line,
// character or version that is no integer in the protocol's range is
// refused with InvalidParams (a notification's refusal is logged), and a
// didChange's changes are applied all or none.
//
// Diagnostics are published when the server has caught up: when no whole
// message waits to be read (the caller says so with idle()), and before the
// answer to any request, which needs the same compile. A burst of changes
// that arrived together is compiled once, for the last of them.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lsIndex.h"
#include "lsText.h"

class languageServer {
public:
    // Handles one message, given as the body of its frame or already parsed.
    // Whatever the message, the server answers as the protocol says and goes
    // on; only an exit notification ends it.
    void receiveText(std::string_view body);
    void receive(const nlohmann::json& message);
    // Nothing waits to be read: publishes what changed since.
    void idle();
    // The bodies of the messages to send, in order; the server forgets them.
    std::vector<std::string> takeOutput();
    // The exit notification came: the process ends with exitStatus(), 0 when
    // a shutdown request came before it and 1 otherwise.
    bool finished() const { return exited; }
    int exitStatus() const { return shutDown ? 0 : 1; }
    bool shutdownRequested() const { return shutDown; }

private:
    struct document {
        textDocument text;
        std::int64_t version = 0;
        std::string name;  // what the compiler's messages call the script
        std::optional<scriptIndex> index;  // of the text as it stands, made when needed
        bool published = false;            // its diagnostics went out
    };

    void request(const nlohmann::json& id, const std::string& method, const nlohmann::json& params);
    void notification(const std::string& method, const nlohmann::json& params);
    nlohmann::json initialize(const nlohmann::json& params);
    void open(const nlohmann::json& params);
    void change(const nlohmann::json& params);
    void close(const nlohmann::json& params);
    document* find(const nlohmann::json& params);
    const scriptIndex& indexOf(document& doc);
    void publish(const std::string& uri, document& doc);
    void send(const nlohmann::json& message);
    void answer(const nlohmann::json& id, nlohmann::json result);
    void refuse(const nlohmann::json& id, int code, const std::string& text);
    // InvalidParams: a request's answer, or for a notification a log message.
    void refuseParams(bool request, const nlohmann::json& id, const std::string& method, const std::string& why);

    std::map<std::string, document> documents;
    std::vector<std::string> output;
    positionEncoding encoding = positionEncoding::utf16;
    bool snippets = false;  // the editor takes completions as snippets
    bool initialized = false;
    bool shutDown = false;
    bool exited = false;
};
