// ccview --serve driven from outside, as a browser or a script would drive
// it: the real server process, started with the test tool as its program.
// The tool waits on a server of the test's own (controlServer), so that the
// test decides when it goes on, and no test waits for time to pass.
#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

#include "base64.h"
#include "childProcess.h"
#include "requestCheck.h"
#include "utf8.h"
#include "ccviewProcess.h"
#include "testSupport.h"

#ifndef _WIN32
#include <csignal>
#endif

namespace {

using json = nlohmann::json;
namespace fs = std::filesystem;
using testSupport::scratchFolder;

// Where the servers of a test keep their runs: a scratch folder of the
// test's, never the user's own state folder.
void useStateFolder(const fs::path& folder) {
    testSupport::setVariable(testSupport::onWindows ? "LOCALAPPDATA" : "XDG_STATE_HOME", folder.string());
}

// GET /NAME blocks until the test releases NAME (or the server goes).
class controlServer {
public:
    controlServer() {
        server_.Get(R"(/([\w-]+))", [this](const httplib::Request& req, httplib::Response& res) {
            std::unique_lock<std::mutex> hold(lock_);
            released_.wait(hold, [&] { return closing_ || names_.count(req.matches[1]) > 0; });
            res.set_content("go", "text/plain");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~controlServer() {
        {
            std::lock_guard<std::mutex> hold(lock_);
            closing_ = true;
            released_.notify_all();
        }
        server_.stop();
        thread_.join();
    }
    void release(const std::string& name) {
        std::lock_guard<std::mutex> hold(lock_);
        names_.insert(name);
        released_.notify_all();
    }
    std::string arg() const { return "control:" + std::to_string(port_); }

private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
    std::mutex lock_;
    std::condition_variable released_;
    std::set<std::string> names_;
    bool closing_ = false;
};

// One run as the event stream told it.
struct runSeen {
    std::string id;
    std::string out, err;  // as they came, what was skipped left out
    std::vector<std::pair<std::uint64_t, std::string>> outAt;  // standard output's chunks at their offsets
    json end;
    std::vector<std::string> types;
    std::vector<std::string> reading;  // the states of the program's input, in order
    std::uint64_t next = 0;            // the output offset after the last chunk
    std::size_t skipped = 0;           // output bytes the stream did not give
    std::size_t streamBytes = 0;       // what the stream sent, all of it
};

// Words for ccview --serve of config running program in cwd; the server
// keeps its runs in the config's folder, in "state".
std::vector<std::string> serveWords(const fs::path& config, const std::vector<std::string>& program,
                                    const fs::path& cwd, const std::vector<std::string>& options) {
    useStateFolder(config.parent_path() / "state");
    std::vector<std::string> words = {"--serve"};
    words.insert(words.end(), options.begin(), options.end());
    if (!cwd.empty()) words.insert(words.end(), {"--cwd", cwd.string()});
    words.insert(words.end(), {config.string(), "--"});
    words.insert(words.end(), program.begin(), program.end());
    return words;
}

// A running ccview --serve.
class servedCcview : public testSupport::ccviewProcess {
public:
    servedCcview(const fs::path& config, const std::vector<std::string>& program, const fs::path& cwd = {},
                 const std::vector<std::string>& options = {"--no-browser"})
        : ccviewProcess(serveWords(config, program, cwd, options)) {}

    // Starts a run with words (and the rest of a run request: "input",
    // "cwd", "form") and follows the event stream to its end, calling
    // onEvent with what was seen so far after each event.
    runSeen run(const std::vector<std::string>& words,
                const std::function<void(const json&, const runSeen&)>& onEvent = {}, json request = json::object()) {
        request["words"] = words;
        auto started = client().Post("/api/run", page(), request.dump(), "application/json");
        EXPECT_TRUE(started && started->status == 200) << (started ? started->body : "no answer");
        return follow(onEvent);
    }
    // A GET of the page's own; its body, or the status and body when it is not 200.
    std::string get(const std::string& path) {
        auto r = client().Get(path, page());
        if (!r) return "no answer";
        return r->status == 200 ? r->body : std::to_string(r->status) + " " + r->body;
    }
    // A POST of a JSON body; the status and the body.
    std::string post(const std::string& path, const json& body) {
        auto r = client().Post(path, page(), body.dump(), "application/json");
        return r ? std::to_string(r->status) + " " + r->body : "no answer";
    }
    // Follows the event stream from its start to a run's end.
    runSeen follow(const std::function<void(const json&, const runSeen&)>& onEvent = {}) {
        runSeen seen;
        std::string pending;
        bool ended = false;
        client().Get("/api/events", page(), [&](const char* data, std::size_t size) {
            seen.streamBytes += size;
            pending.append(data, size);
            for (std::size_t cut; !ended && (cut = pending.find("\n\n")) != std::string::npos;) {
                const std::string block = pending.substr(0, cut);
                pending.erase(0, cut + 2);
                const std::size_t at = block.find("data: ");
                if (at == std::string::npos) continue;
                const json event = json::parse(block.substr(at + 6));
                const std::string type = event["type"];
                seen.types.push_back(type);
                if (type == "start") seen.id = event["id"];
                if (type == "reading") seen.reading.push_back(event["state"]);
                if (type == "output") {
                    const std::string bytes = base64Decoded(event["data"].get<std::string>());
                    const std::uint64_t offset = event["at"];
                    EXPECT_GE(offset, seen.next) << "output comes in order";
                    seen.skipped += offset - seen.next;
                    seen.next = offset + bytes.size();
                    (event["stream"] == "out" ? seen.out : seen.err) += bytes;
                    if (event["stream"] == "out") seen.outAt.emplace_back(offset, bytes);
                }
                if (type == "end") {
                    seen.skipped += event["bytes"].get<std::uint64_t>() - seen.next;
                    seen.end = event;
                    ended = true;
                }
                if (onEvent) onEvent(event, seen);
            }
            return !ended;
        });
        return seen;
    }
};

// What argv_print prints for these arguments: their count, then each one's
// bytes in hexadecimal, a line each.
std::string printedWords(const std::vector<std::string>& words) {
    std::string printed = std::to_string(words.size()) + "\n";
    for (const std::string& w : words) {
        static const char digits[] = "0123456789abcdef";
        for (unsigned char c : w) printed += {digits[c >> 4], digits[c & 15]};
        printed += '\n';
    }
    return printed;
}

fs::path sampleConfig(const scratchFolder& dir) {
    const fs::path config = dir.path() / "prog.cc";
    testSupport::writeFile(config, testSupport::compiled(testSupport::fileBytes(TARVELKIN_EXAMPLE)));
    return config;
}

// Raw connections to a server, for what no client sends: heads that never
// end, bytes that drip, nothing at all.
struct rawConnections {
    int port;
    socket_t connect() const {
        httplib::Error error{};
        return httplib::detail::create_client_socket("127.0.0.1", "", port, AF_INET, false, nullptr, 5, 0, 60, 0, 60,
                                                      0, "", error);
    }
    static bool send(socket_t socket, const std::string& bytes) {
#ifdef MSG_NOSIGNAL
        return ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL) > 0;
#else
        return ::send(socket, bytes.data(), static_cast<int>(bytes.size()), 0) > 0;
#endif
    }
    // What comes back until the server closes the connection.
    static std::string answer(socket_t socket) {
        std::string got;
        char buffer[4096];
        for (ssize_t n; (n = ::recv(socket, buffer, sizeof buffer, 0)) > 0;) got.append(buffer, static_cast<std::size_t>(n));
        return got;
    }
};

// The request table: each row goes to the checks themselves (requestCheck.h)
// and to the real server, which must agree. A row the checks pass and its
// route refuses says so.
TEST(serve, RequestsWithoutTokenHostAndOriginAreRefused) {
    scratchFolder dir;
    servedCcview server(sampleConfig(dir), {SERVE_TOOL, "exit:0"});
    const std::string port = std::to_string(server.port());
    const std::string own = "http://" + server.host();
    const std::string other = "http://127.0.0.1:" + std::to_string(server.port() == 1 ? 2 : server.port() - 1);
    const std::string token = server.token(), wrong(64, '0'), none;
    const std::string localhost = "localhost:" + port;
    const struct {
        const char* what;
        std::string method, path, host, token, origin, site;
        int status;
        std::string header{}, value{};  // one more header, if any
        bool byRoute = false;           // refused by the route, not the checks
    } cases[] = {
        // The launch file's form: its token in the body, from a file.
        {"launch from the launch file", "POST", "/launch", server.host(), token, "null", "cross-site", 200},
        {"launch, typed", "POST", "/launch", server.host(), token, none, "none", 200},
        {"launch, wrong token", "POST", "/launch", server.host(), wrong, "null", "cross-site", 403, {}, {}, true},
        {"launch, no token", "POST", "/launch", server.host(), none, "null", "cross-site", 403, {}, {}, true},
        {"launch from another port's page", "POST", "/launch", server.host(), token, other, "same-site", 403},
        {"launch as localhost", "POST", "/launch", localhost, token, "null", "cross-site", 403},
        {"launch, rebound name", "POST", "/launch", "evil.example:" + port, token, "null", "cross-site", 403},
        {"a token in an address", "GET", "/?token=" + token, server.host(), none, none, "none", 400},
        {"a token in an API address", "GET", "/api/info?token=" + token, server.host(), token, none, none, 400},
        // The pages hold no secret.
        {"page, typed", "GET", "/", server.host(), none, none, "none", 200},
        {"page from itself", "GET", "/", server.host(), none, none, "same-origin", 200},
        {"page, HEAD", "HEAD", "/", server.host(), none, none, none, 200},
        {"page from another port's page", "GET", "/", server.host(), none, none, "same-site", 403},
        {"page from a site", "GET", "/", server.host(), none, none, "cross-site", 403},
        {"page as localhost", "GET", "/", localhost, none, none, "none", 403},
        {"page, other port in Host", "GET", "/", "127.0.0.1:1", none, none, none, 403},
        {"page, no Host", "GET", "/", none, none, none, none, 403},
        // The API takes the token in its header.
        {"info, script", "GET", "/api/info", server.host(), token, none, none, 200},
        {"info, no token", "GET", "/api/info", server.host(), none, none, none, 403},
        {"info, wrong token", "GET", "/api/info", server.host(), wrong, none, none, 403},
        {"info, typed", "GET", "/api/info", server.host(), token, none, "none", 403},
        {"info as localhost", "GET", "/api/info", localhost, token, none, none, 403},
        {"info from a localhost page", "GET", "/api/info", server.host(), token, "http://" + localhost, "same-site", 403},
        {"info from another port's page", "GET", "/api/info", server.host(), token, other, "same-site", 403},
        {"stop, own page", "POST", "/api/stop", server.host(), token, own, "same-origin", 200},
        {"stop, script", "POST", "/api/stop", server.host(), token, none, none, 200},
        {"stop, no token", "POST", "/api/stop", server.host(), none, own, "same-origin", 403},
        {"stop, a cookie instead", "POST", "/api/stop", server.host(), none, own, "same-origin", 403, "Cookie",
         "ccview-" + port + "=" + token},
        {"stop from another port", "POST", "/api/stop", server.host(), token, other, "same-site", 403},
        {"stop, forged Origin only", "POST", "/api/stop", server.host(), token, other, none, 403},
        {"stop from a site", "POST", "/api/stop", server.host(), token, "https://evil.example", "cross-site", 403},
        {"stop from a file", "POST", "/api/stop", server.host(), token, "null", "cross-site", 403},
        {"stop, no Origin but same-site", "POST", "/api/stop", server.host(), token, none, "same-site", 403},
        {"run, rebound name", "POST", "/api/run", "evil.example:" + port, token, none, none, 403},
        {"events, no token", "GET", "/api/events", server.host(), none, own, "same-origin", 403},
        {"list from another port", "GET", "/api/list?item=1", server.host(), token, other, "same-site", 403},
        {"an unknown API, no token", "POST", "/api/nothing", server.host(), none, own, "same-origin", 403},
        // The settings and the shelf's routes are guarded alike.
        {"values, no token", "GET", "/api/values?key=ccview:0123456789abcdef", server.host(), none, own,
         "same-origin", 403},
        {"values from another port", "POST", "/api/values", server.host(), token, other, "same-site", 403},
        {"values, script", "GET", "/api/values?key=ccview:0123456789abcdef", server.host(), token, none, none, 200},
        {"shelf, no token", "GET", "/api/shelf", server.host(), none, own, "same-origin", 403},
        {"shelf add from another port", "POST", "/api/shelf/add", server.host(), token, other, "same-site", 403},
        {"make a form, no token", "POST", "/api/shelf/make", server.host(), none, own, "same-origin", 403},
        {"make a form from a file", "POST", "/api/shelf/make", server.host(), token, "null", "cross-site", 403},
        {"make a form, a bad body", "POST", "/api/shelf/make", server.host(), token, own, "same-origin", 400, {}, {},
         true},
        {"quit, no token", "POST", "/api/quit", server.host(), none, own, "same-origin", 403},
        {"quit from a file", "POST", "/api/quit", server.host(), token, "null", "cross-site", 403},
        {"a shelf config's page, no token", "GET", "/config/0123456789abcdef", server.host(), none, none, none,
         404, {}, {}, true},
        // Methods other than GET, HEAD and POST, before anything else.
        {"run by PUT", "PUT", "/api/run", server.host(), token, own, "same-origin", 405},
        {"a preflight", "OPTIONS", "/api/run", server.host(), none, other, "same-site", 405,
         "Access-Control-Request-Headers", "x-ccview-token"},
        {"DELETE, rebound name", "DELETE", "/", "evil.example:" + port, none, none, none, 405},
        {"run, chunked body", "POST", "/api/run", server.host(), token, own, "same-origin", 411,
         "Transfer-Encoding", "chunked"},
        {"run, body over 1 MB", "POST", "/api/run", server.host(), token, own, "same-origin", 413,
         "Content-Length", "1048577"},
    };
    const serverIdentity identity{server.port(), server.token()};
    httplib::Client c = server.client();
    c.set_keep_alive(true);
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        httplib::Request sent;
        sent.method = t.method;
        sent.path = t.path;
        for (const auto& [name, value] : {std::pair<const char*, const std::string&>{"Host", t.host},
                                          {"Origin", t.origin}, {"Sec-Fetch-Site", t.site}})
            if (!value.empty()) sent.headers.emplace(name, value);
        if (t.host.empty()) sent.headers.emplace("Host", "");
        if (!t.header.empty()) sent.headers.emplace(t.header, t.value);
        const bool launch = t.path == "/launch";
        if (launch) {
            sent.body = t.token.empty() ? "other=1" : "token=" + t.token;
            sent.headers.emplace("Content-Type", "application/x-www-form-urlencoded");
        } else {
            if (!t.token.empty()) sent.headers.emplace("X-Ccview-Token", t.token);
            if (t.method != "GET" && t.method != "HEAD") sent.body = "{}";
        }

        // The checks see the head alone: the path and its query apart, the
        // length the client will send.
        httplib::Request checked = sent;
        checked.path = t.path.substr(0, t.path.find('?'));
        if (t.path.find('?') != std::string::npos)
            httplib::detail::parse_query_text(t.path.substr(t.path.find('?') + 1), checked.params);
        if (!checked.has_header("Content-Length") && !sent.body.empty())
            checked.headers.emplace("Content-Length", std::to_string(sent.body.size()));
        const verdict v = checkRequest(checked, identity);
        EXPECT_EQ(v.status, t.status < 300 || t.byRoute ? 0 : t.status) << v.why;

        auto r = c.send(sent);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, t.status);
        if (!v.passed()) {
            EXPECT_EQ(r->body, v.why + "\n");
        }
        EXPECT_FALSE(r->has_header("Access-Control-Allow-Origin"));
        EXPECT_FALSE(r->has_header("Set-Cookie"));
        // Only a request with the token keeps its connection, refused by
        // its route or not.
        EXPECT_EQ(r->get_header_value("Connection"), v.trusted && v.passed() ? "" : "close");
        if (launch && r->status == 200) {
            // The launch answer holds the token for its tab, as its data.
            EXPECT_NE(r->body.find("<script type=\"application/json\" id=\"token-data\">\"" + token + "\"</script>"),
                      std::string::npos);
        }
    }

    // The launch file posts the token to the server, as a form; it and the
    // token file are for this user alone, until the server ends.
    const std::string launchFile = testSupport::fileBytes(server.launchFile());
    EXPECT_NE(launchFile.find("<form method=\"post\" action=\"" + own + "/launch\">\n"
                              "<input type=\"hidden\" name=\"token\" value=\"" + token + "\">"),
              std::string::npos) << launchFile;
    EXPECT_EQ(testSupport::fileBytes(server.tokenFile()), token + "\n");
#ifndef _WIN32
    for (const fs::path& file : {server.launchFile(), server.tokenFile()})
        EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    // Ended as Ctrl+C ends it (a test on Windows has no console to send it).
    EXPECT_EQ(server.end(), 0);
    EXPECT_FALSE(fs::exists(server.tokenFile()));
    EXPECT_FALSE(fs::exists(server.launchFile()));
#endif
}

// Connections that would hold the server: a head without end, a PUT without
// a length, hundreds of idle connections, dozens that send a byte a second.
// Meanwhile the page's own request is answered (how soon is measured by
// bench/ccview_hold_bench.js: about a second).
TEST(serve, ConnectionsThatHoldTheServerDoNotKeepThePageWaiting) {
    scratchFolder dir;
    servedCcview server(sampleConfig(dir), {SERVE_TOOL, "exit:0"});
    const rawConnections raw{server.port()};
    const std::string head = "GET /api/info HTTP/1.1\r\nHost: " + server.host() + "\r\n";

    // A flood of headers is cut short.
    const socket_t flood = raw.connect();
    std::size_t flooded = 0;
    for (bool sent = raw.send(flood, head); sent && flooded < (64u << 20); flooded += 1024)
        sent = raw.send(flood, "X-Flood: " + std::string(1013, 'x') + "\r\n");
    EXPECT_LT(flooded, 64u << 20);
    httplib::detail::close_socket(flood);

    // A PUT without a length, with the token, is refused before its body is
    // read: the answer comes, and the connection ends, with no byte of it sent.
    const socket_t put = raw.connect();
    raw.send(put, "PUT /api/run HTTP/1.1\r\nHost: " + server.host() + "\r\nX-Ccview-Token: " + server.token() +
                      "\r\n\r\n");
    const std::string refused = raw.answer(put);
    httplib::detail::close_socket(put);
    EXPECT_EQ(refused.substr(0, refused.find('\r')), "HTTP/1.1 405 Method Not Allowed");

    // A refused request's body is never read as a request of its own.
    const socket_t smuggled = raw.connect();
    const std::string inner = "GET / HTTP/1.1\r\nHost: " + server.host() + "\r\n\r\n";
    raw.send(smuggled, "POST /api/stop HTTP/1.1\r\nHost: " + server.host() + "\r\nContent-Length: " +
                           std::to_string(inner.size()) + "\r\n\r\n" + inner);
    const std::string answered = raw.answer(smuggled);
    httplib::detail::close_socket(smuggled);
    EXPECT_EQ(answered.substr(0, answered.find('\r')), "HTTP/1.1 403 Forbidden");
    EXPECT_EQ(answered.find("HTTP/1.1", 1), std::string::npos) << answered;

    // Idle connections, ten times the server's threads, and connections that
    // send their request a byte at a time, more of them than it has threads.
    std::vector<socket_t> idle(300), slow(40);
    for (socket_t& socket : idle) socket = raw.connect();
    for (socket_t& socket : slow) {
        socket = raw.connect();
        raw.send(socket, head + "X-Slow: ");
    }
    std::atomic<bool> done{false};
    std::thread drip([&] {
        while (!done) {
            for (const socket_t socket : slow) raw.send(socket, "x");
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
    });
    httplib::Client c = server.client();
    const auto info = c.Get("/api/info", server.page());
    done = true;
    drip.join();
    // The idle ones were closed by the server, with no answer.
    std::size_t closedIdle = 0;
    for (const socket_t socket : idle) closedIdle += raw.answer(socket).empty() ? 1 : 0;
    for (const socket_t socket : idle) httplib::detail::close_socket(socket);
    for (const socket_t socket : slow) httplib::detail::close_socket(socket);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->status, 200);
    EXPECT_EQ(closedIdle, idle.size());

    // Nothing listens on another loopback address, let alone the machine's
    // own, nor on the IPv6 loopback, where a browser may take localhost.
    httplib::Client elsewhere("127.0.0.2", server.port());
    elsewhere.set_connection_timeout(5, 0);
    EXPECT_FALSE(elsewhere.Get("/api/info", server.page()));
    httplib::Client six("::1", server.port());
    six.set_connection_timeout(5, 0);
    EXPECT_FALSE(six.Get("/api/info", server.page()));
}

// The runner, row by row: what the tool does, what the test does when it
// sees output, and the output and end the event stream gives.
TEST(serve, RunsStreamsAndStopsTheProgram) {
    scratchFolder dir;
    controlServer control;
    servedCcview server(sampleConfig(dir), {SERVE_TOOL, control.arg()});
    const struct {
        const char* what;
        std::vector<std::string> words;
        std::string when;   // output to wait for before acting
        std::string act;    // "stop", "release NAME" or both
        std::string out, err;
        json end;           // fields the end event must have
        std::size_t replayAtMost = 0;  // if set: output may be skipped; a replay sends at most this
    } cases[] = {
        {"a partial line arrives before the program goes on", {"out:first", "wait:go", "out:\\nsecond\\n", "exit:3"},
         "first", "release go", "first\nsecond\n", "", {{"outcome", "exit"}, {"code", 3}}},
        {"returns and the two streams, byte for byte", {"out:50%\\r", "err:warn\\n", "out:100%\\r\\n", "err:\\e[31mred\\e[0m"},
         "", "", "50%\r100%\r\n", "warn\n\x1b[31mred\x1b[0m", {{"outcome", "exit"}, {"code", 0}}},
        {"bytes that are not UTF-8", {"out:\\xff\\xfe\\x00\\xc3(ok"}, "", "",
         std::string("\xff\xfe\0\xc3(ok", 7), "", {{"outcome", "exit"}, {"code", 0}}},
        {"Stop ends a grandchild that holds the output", {"spawn:2", "out:child-ready\\n", "wait:never", "wait:never"},
         "child-ready\n", "stop", "child-ready\n", "", {{"outcome", "stopped"}}},
        {"a tree that ignores the request is killed", {"ignore-stop", "spawn:3", "ignore-stop", "out:child-ready\\n",
         "wait:never", "wait:never"}, "child-ready\n", "stop", "child-ready\n", "", {{"outcome", "stopped"}}},
        {"what left the session ends with the program", {"spawn:3", "setsid", "out:child-ready\\n", "wait:never",
         "wait:orphan", "exit:5"}, "child-ready\n", "release orphan", "child-ready\n", "", {{"outcome", "exit"}, {"code", 5}}},
        {"Stop ends what left the session", {"spawn:3", "setsid", "out:child-ready\\n", "wait:never", "wait:never"},
         "child-ready\n", "stop", "child-ready\n", "", {{"outcome", "stopped"}}},
        // Half again the 8 MB the server keeps, whatever the size of the writes,
        // and whatever comes after a Stop.
        {"output after Stop is kept within the bound", {"ignore-stop", "out:ready\\n", "wait:flood", "dots:16777216",
         "wait:never"}, "ready\n", "stop release flood", "ready\n" + std::string(16u << 20, '.'), "",
         {{"outcome", "stopped"}}, std::size_t{12} << 20},
        {"tiny writes stay within the bound, and so does their replay", {"drip:200000"}, "", "",
         std::string(200000, '.'), "", {{"outcome", "exit"}, {"code", 0}}, std::size_t{12} << 20},
#ifndef _WIN32
        {"a death by signal names the signal", {"out:bye\\n", "abort"}, "", "", "bye\n", "",
         {{"outcome", "signal"}, {"signal", "SIGABRT"}}},
        {"the program inherits no descriptor but its three", {"fds"}, "", "", "", "", {{"outcome", "exit"}, {"code", 0}}},
#else
        {"a crash status is named", {"exit:0xC0000005"}, "", "", "", "",
         {{"outcome", "signal"}, {"signal", "access violation (0xC0000005)"}}},
#endif
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        bool acted = false;
        runSeen seen = server.run(t.words, [&](const json&, const runSeen& now) {
            if (acted || t.act.empty() || now.out.find(t.when) == std::string::npos) return;
            acted = true;
            // While the program runs, a second run is refused.
            auto again = server.client().Post("/api/run", server.page(), R"({"words":[]})", "application/json");
            ASSERT_TRUE(again);
            EXPECT_EQ(again->status, 409);
            EXPECT_EQ(json::parse(again->body)["error"],
                      "A run is in progress: stop it, or wait for it to end, before running again.");
            if (t.act.rfind("stop", 0) == 0) {
                EXPECT_TRUE(server.client().Post("/api/stop", server.page(), "{}", "application/json"));
            }
            if (const std::size_t name = t.act.find("release "); name != std::string::npos)
                control.release(t.act.substr(name + 8));
        });
        // A program that floods after Stop is killed when the grace ends, on
        // a slow machine before it has written all: then what it wrote up to
        // the end is what every reader must agree on.
        std::string out = t.out;
        const std::uint64_t written = seen.end.value("bytes", std::uint64_t{0});
        if (t.replayAtMost != 0 && seen.end["outcome"] == "stopped" && written < out.size()) {
            EXPECT_GT(written, t.when.size());
            out.resize(static_cast<std::size_t>(written));
        }
        if (t.replayAtMost == 0) {
            EXPECT_EQ(seen.out, out);
        } else {
            // What came, came where it belongs; read again from the start,
            // the stream sends a bounded part, and says how much it skips.
            for (const auto& [offset, bytes] : seen.outAt) EXPECT_EQ(out.substr(offset, bytes.size()), bytes);
            const runSeen replay = server.follow();
            EXPECT_LE(replay.streamBytes, t.replayAtMost);
            EXPECT_EQ(replay.out.size() + replay.skipped, out.size());
        }
        EXPECT_EQ(seen.err, t.err);
        // The disk keeps the whole output, all of it, as it came.
        if (out.empty() || t.err.empty()) {
            const std::string saved = server.get("/api/save?id=" + seen.id);
            EXPECT_EQ(saved.size(), out.size() + t.err.size());
            EXPECT_TRUE(saved == out + t.err) << saved.substr(0, 200);
        }
        for (const auto& [field, value] : t.end.items()) EXPECT_EQ(seen.end[field], value) << field;
        // Nothing was left holding the output: the end says so otherwise.
        EXPECT_FALSE(seen.end.contains("note"));
        EXPECT_EQ(seen.types.front(), "start");
    }
#ifndef _WIN32
    // Ending the server stops a run in progress as Stop does, asking first,
    // and says so.
    const fs::path asked = dir.path() / "asked to end";
    int status = -2;
    const runSeen last = server.run({"trap:" + asked.string(), "out:ready\\n", "wait:never"},
                                    [&](const json&, const runSeen& now) {
                                        if (status == -2 && now.out == "ready\n") status = server.end();
                                    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(last.end["outcome"], "stopped");
    EXPECT_TRUE(fs::exists(asked));
    EXPECT_NE(server.errors().find("ccview: stopping the run in progress, as Stop does, before ending\n"),
              std::string::npos) << server.errors();
#endif
}

#ifndef _WIN32
// Whether a process runs: it exists and has not ended (a process that ended
// but was not yet reaped, by whatever adopted it, has ended).
bool running(long pid) {
    if (::kill(static_cast<pid_t>(pid), 0) != 0) return false;
    const std::string stat = testSupport::fileBytes("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t name = stat.rfind(") ");
    return name != std::string::npos && stat[name + 2] != 'Z';
}

// A run ends with its server, however the server ends: a kill -9 mid-run
// leaves no process of the run's tree, not the program, not a child that
// ignores SIGTERM, not a grandchild in a session of its own.
TEST(serve, ARunEndsWithItsServerEvenKilled) {
    scratchFolder dir;
    controlServer control;
    const fs::path pids = dir.path() / "pids";
    const std::string pid = "pid:" + pids.string();
    servedCcview server(sampleConfig(dir), {SERVE_TOOL, control.arg()});
    bool killed = false;
    server.run({pid, "spawn:8", "ignore-stop", pid, "spawn:3", "setsid", pid, "wait:never", "out:ready\\n",
                "wait:never", "wait:never"},
               [&](const json&, const runSeen& seen) {
                   if (killed || seen.out != "ready\n") return;
                   // Every process of the tree has said who it is.
                   const auto said = [&] {
                       const std::string text = testSupport::fileBytes(pids);
                       return std::count(text.begin(), text.end(), '\n');
                   };
                   while (said() < 3) std::this_thread::sleep_for(std::chrono::milliseconds(10));
                   killed = true;
                   server.kill();
               });
    ASSERT_TRUE(killed);
    std::vector<long> tree;
    std::istringstream lines(testSupport::fileBytes(pids));
    for (long id = 0; lines >> id;) tree.push_back(id);
    ASSERT_EQ(tree.size(), 3u);
    // Waited for as long as it takes: the test's own time limit fails it.
    const auto alive = [&] { return std::count_if(tree.begin(), tree.end(), running); };
    while (alive() > 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(alive(), 0);
}
#endif

TEST(serve, AProgramThatCannotStartSaysWhy) {
    scratchFolder dir;
    const fs::path config = sampleConfig(dir);
    const fs::path gone = dir.path() / "gone";
    const struct {
        std::string program;
        fs::path cwd;  // removed once the server has started
        std::string reason;
    } cases[] = {
        {(dir.path() / "missing-tool").string(), {}, "not found: "},
        {(dir.path()).string(), {}, "not executable: "},
        {"no-such-tool-anywhere", {}, "not found: no program \"no-such-tool-anywhere\" in PATH"},
        {SERVE_TOOL, gone, "working folder not found: " + gone.lexically_normal().string()},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.program);
        if (!t.cwd.empty()) fs::create_directory(t.cwd);
        servedCcview server(config, {t.program}, t.cwd);
        if (!t.cwd.empty()) fs::remove(t.cwd);
        const runSeen seen = server.run({"a"});
        EXPECT_EQ(seen.end["outcome"], "failed");
        EXPECT_EQ(seen.end["message"].get<std::string>().substr(0, t.reason.size()), t.reason);
    }
}

// A config is served on a port of its own, so that the browser keeps its
// presets and values from one start to the next; when that port is taken,
// on any other, unless --port names one.
TEST(serve, AConfigKeepsItsPortOrFallsBack) {
    scratchFolder dir;
    // A config of this test's own, whose port no other test takes.
    std::string script = testSupport::fileBytes(TARVELKIN_EXAMPLE);
    script.replace(script.find("header item 1"), 13, dir.path().filename().string());
    const fs::path config = dir.path() / "own.cc";
    testSupport::writeFile(config, testSupport::compiled(script));
    int own = 0;
    {
        servedCcview first(config, {SERVE_TOOL});
        own = first.port();
        EXPECT_GE(own, 61000);
        servedCcview second(config, {SERVE_TOOL});
        EXPECT_NE(second.port(), own);
        const auto info = second.client().Get("/api/info", second.page());
        ASSERT_TRUE(info);
        EXPECT_EQ(info->status, 200);
        std::string why;
        auto named = childProcess::start({CCVIEW_PROGRAM, "--serve", "--no-browser", "--port", std::to_string(own),
                                          config.string(), "--", SERVE_TOOL}, "", why);
        ASSERT_TRUE(named) << why;
        std::string errors;
        char buffer[256];
        for (std::size_t got; (got = named->read(childProcess::stream::err, buffer, sizeof buffer)) > 0;)
            errors.append(buffer, got);
        EXPECT_EQ(named->wait().code, 1);
        EXPECT_EQ(errors.substr(0, errors.find_last_not_of("\r\n") + 1),
                  "ccview: cannot listen on 127.0.0.1:" + std::to_string(own) + " (is another program using it?)");
#ifndef _WIN32
        EXPECT_EQ(second.end(), 0);
        EXPECT_NE(second.errors().find("ccview: port " + std::to_string(own) + ", this config's own, is taken; serving on " +
                                       std::to_string(second.port()) + " instead"),
                  std::string::npos);
#endif
    }
    servedCcview again(config, {SERVE_TOOL});
    EXPECT_EQ(again.port(), own);
}

// Every hard value arrives as the one argument it is, through the real
// parser of the platform (the C runtime's on Windows).
TEST(serve, WordsArriveAsTheProgramsArguments) {
    scratchFolder dir;
    const json table = json::parse(testSupport::fileBytes(HARD_VALUES));
    // Values, and the words key data is read as; a NUL cannot be an argument.
    std::vector<std::string> words = {"fixed word"};
    for (const json& row : table) {
        if (row.contains("value") && row["value"].get<std::string>().find('\0') == std::string::npos)
            words.push_back(row["value"]);
        for (const json& word : row.value("words", json::array())) words.push_back(word);
    }
    servedCcview server(sampleConfig(dir), {ARGV_PRINT, "fixed word"}, dir.path());
    const runSeen seen = server.run(std::vector<std::string>(words.begin() + 1, words.end()));
    EXPECT_EQ(seen.out, printedWords(words));
    EXPECT_EQ(seen.end["code"], 0);
    auto bad = server.client().Post("/api/run", server.page(), R"({"words":["a\u0000b"]})", "application/json");
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->status, 400);
    EXPECT_EQ(bad->body, R"({"error":"a word cannot hold a NUL character"})");
}

// ccview reads its own words once, as UTF-8: a program in a folder whose
// names hold blanks and letters beyond ASCII, a working folder named so too,
// and fixed words with wildcards, quotes and such letters arrive whole and in
// order, none expanded (where ccview runs, "*" matches many files).
TEST(serve, FixedWordsArriveAsWritten) {
    scratchFolder dir;
    const fs::path folder = dir.path() / pathOfUtf8("tools \xc3\xa4 \xc3\xb6") / pathOfUtf8("\xc3\xbc \xc3\xb1");
    fs::create_directories(folder);
    const fs::path printer = folder / pathOfUtf8("argv print \xc3\xa9" + utf8Of(fs::path(ARGV_PRINT).extension()));
    fs::copy_file(fs::path(ARGV_PRINT), printer);
    testSupport::writeFile(folder / "a.cc", "");
    const std::vector<std::string> fixed = {"*", "?.cc", "*.cc", "a b", "say \"hi\"", "\"", "\xc3\xbcn\xc3\xaf \xe2\x9c\x93",
                                            "back\\", "", "[a]"};
    std::vector<std::string> program = {utf8Of(printer)};
    program.insert(program.end(), fixed.begin(), fixed.end());
    servedCcview server(sampleConfig(dir), program, {}, {"--no-browser", "--cwd", utf8Of(folder)});
    const runSeen seen = server.run({});
    EXPECT_EQ(seen.out, printedWords(fixed));
    EXPECT_EQ(seen.err, "");
    EXPECT_EQ(seen.end["code"], 0);
}

// Input from the page, row by row: the program, whether its input is open,
// what the test sends once the program's first reading state arrives (Linux
// tells whether it reads; elsewhere that is unknown), and what comes of it.
TEST(serve, InputReachesTheProgramAndClosedInputIsNoticed) {
    scratchFolder dir;
    controlServer control;
    servedCcview server(sampleConfig(dir), {SERVE_TOOL, control.arg()});
    const struct {
        const char* what;
        std::vector<std::string> words;
        bool input;
        json send;  // sent once the program waits for input (null: nothing)
        std::string out, err;
        bool asked;  // the end says it may have asked for input
        std::vector<std::string> reading;  // on Linux: the states seen
    } cases[] = {
        {"a line answers the question", {"ask:Overwrite? "}, true, {{"line", "y"}}, "answer: y\n", "Overwrite? ",
         false, {"reading"}},
        {"End input: the question gets the input's end", {"ask:Name? "}, true, {{"end", true}}, "", "Name? ", false,
         {"reading", "closed"}},
        {"closed input: a question, then the end", {"ask:Overwrite? "}, false, nullptr, "", "Overwrite? ", true, {}},
        {"closed input: a last line with its end", {"out:done\\n"}, false, nullptr, "done\n", "", false, {}},
        {"closed input: a progress line written over", {"out:50%\\r"}, false, nullptr, "50%\r", "", false, {}},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        bool sent = false;
        const runSeen seen = server.run(
            t.words,
            [&](const json& event, const runSeen&) {
                if (sent || t.send.is_null() || event["type"] != "reading") return;
#ifdef __linux__
                if (event["state"] != "reading") return;
#endif
                sent = true;
                EXPECT_EQ(server.post("/api/input", t.send), "200 {\"sent\":true}");
            },
            {{"input", t.input}});
        EXPECT_EQ(seen.out, t.out);
        EXPECT_EQ(seen.err, t.err);
        EXPECT_EQ(seen.end["code"], 0);
        EXPECT_EQ(seen.end.value("askedForInput", false), t.asked);
#ifdef __linux__
        // The page is told the program reads only while it does.
        std::vector<std::string> reading = seen.reading;
        if (!reading.empty() && reading.front() == "not-reading") reading.erase(reading.begin());
        EXPECT_EQ(reading, t.reading);
#endif
    }
    // Waiting for something else is no reading; input is refused once the
    // run is over, and with none open.
    const runSeen waiting = server.run({"wait:go", "out:done\\n"},
                                       [&](const json& event, const runSeen&) {
                                           if (event["type"] == "reading") control.release("go");
                                       },
                                       {{"input", true}});
#ifdef __linux__
    EXPECT_EQ(waiting.reading, std::vector<std::string>{"not-reading"});
#endif
    EXPECT_EQ(waiting.out, "done\n");
    EXPECT_EQ(server.post("/api/input", {{"line", "late"}}),
              "409 {\"error\":\"The program's input is not open: no run in progress reads from this page.\"}");
    EXPECT_EQ(server.post("/api/input", {{"line", 3}}), "400 {\"error\":\"expected {\\\"line\\\": text} or {\\\"end\\\": true}\"}");
}

#ifndef _WIN32
// The program runs in a session of its own, without a controlling terminal:
// a prompt that opens /dev/tty (ssh, sudo, gpg) fails at once instead of
// asking in the terminal ccview runs in, or stopping the run.
TEST(serve, AProgramHasNoTerminalToAskIn) {
    scratchFolder dir;
    servedCcview server(sampleConfig(dir), {SERVE_TOOL});
    const runSeen seen = server.run({"tty"});
    EXPECT_EQ(seen.out.rfind("tty: ", 0), 0u) << seen.out;
    EXPECT_NE(seen.out, "tty: opened\n");
#ifdef __linux__
    EXPECT_EQ(seen.out, "tty: No such device or address\n");
#endif
    EXPECT_EQ(seen.end["code"], 0);
}
#endif

// Runs are kept: the history lists the last 20, newest first, each with its
// words, choices and end; its output is read again by offset, with the
// streams and the input between, from its last lines, and saved whole.
TEST(serve, RunsAreKeptWithTheirOutput) {
    scratchFolder dir;
    servedCcview server(sampleConfig(dir), {SERVE_TOOL});
    const json form = {{"steps", {{{"key", 1}, {"path", "in.txt"}}}}};
    fs::create_directory(dir.path() / "work");
    const runSeen asked = server.run({"err:one\\ntwo\\n", "ask:Overwrite? ", "out:done\\n"},
                                     [&](const json& event, const runSeen&) {
#ifdef __linux__
                                         if (event["type"] != "reading" || event["state"] != "reading") return;
#else
                                         if (event["type"] != "reading") return;
#endif
                                         server.post("/api/input", {{"line", "y"}});
                                     },
                                     {{"input", true}, {"form", form}, {"cwd", utf8Of(dir.path() / "work")}});
    EXPECT_EQ(asked.end["code"], 0);
    const json history = json::parse(server.get("/api/history"));
    ASSERT_EQ(history["runs"].size(), 1u);
    const json& record = history["runs"][0];
    EXPECT_EQ(record["id"], asked.id);
    EXPECT_EQ(record["words"], json({"err:one\\ntwo\\n", "ask:Overwrite? ", "out:done\\n"}));
    // (the program as the server found it: on Windows under Wine a drive's path)
    EXPECT_EQ(pathOfUtf8(record["argv"][0].get<std::string>()).filename(), fs::path(SERVE_TOOL).filename());
    EXPECT_EQ(record["form"], form);
    EXPECT_EQ(record["input"], true);
    EXPECT_EQ(record["cwd"], utf8Of((dir.path() / "work").lexically_normal()));
    EXPECT_EQ(record["outcome"], "exit");
    EXPECT_EQ(record["code"], 0);
    EXPECT_EQ(record["bytes"], 34);
    EXPECT_EQ(record["kept"], 34);
    EXPECT_TRUE(history["running"].is_null());

    const json whole = json::parse(server.get("/api/output?id=" + asked.id + "&from=0"));
    const json pieces = {{{"stream", "err"}, {"at", 0}, {"data", base64("one\ntwo\nOverwrite? ", 19)}},
                         {{"stream", "in"}, {"at", 19}, {"text", "y"}},
                         {{"stream", "out"}, {"at", 19}, {"data", base64("answer: y\ndone\n", 15)}}};
    EXPECT_EQ(whole["pieces"], pieces);
    EXPECT_EQ(whole["first"], 0);
    EXPECT_EQ(whole["size"], 34);
    EXPECT_EQ(whole["next"], 34);
    // The last lines: "Overwrite? answer: y" from 8 on (its bytes are one
    // line), "done" from 29 on.
    EXPECT_EQ(json::parse(server.get("/api/output?id=" + asked.id + "&tail=2"))["from"], 8);
    EXPECT_EQ(json::parse(server.get("/api/output?id=" + asked.id + "&tail=1"))["from"], 29);
    EXPECT_EQ(json::parse(server.get("/api/output?id=" + asked.id + "&tail=9"))["from"], 0);
    EXPECT_EQ(server.get("/api/save?id=" + asked.id), "one\ntwo\nOverwrite? answer: y\ndone\n");
    // Only runs of the history, by their id: nothing else is read.
    for (const std::string& id : std::vector<std::string>{"", "x", "../" + asked.id, asked.id + "/..", asked.id + ".out"}) {
        EXPECT_EQ(server.get("/api/save?id=" + id).substr(0, 4), "404 ") << id;
        EXPECT_EQ(server.get("/api/output?id=" + id).substr(0, 4), "404 ") << id;
    }
    EXPECT_EQ(server.post("/api/run", {{"words", json::array()}, {"cwd", "no such folder"}}),
              "400 {\"error\":\"working folder not found: no such folder\"}");

    // Twenty more: the first goes, with its output.
    for (int n = 0; n < 20; ++n) server.run({"out:run " + std::to_string(n) + "\\n"});
    const json later = json::parse(server.get("/api/history"));
    ASSERT_EQ(later["runs"].size(), 20u);
    EXPECT_EQ(later["runs"][0]["words"][0], "out:run 19\\n");
    EXPECT_EQ(later["runs"][19]["words"][0], "out:run 0\\n");
    EXPECT_EQ(server.get("/api/save?id=" + asked.id).substr(0, 4), "404 ");
    std::size_t files = 0;
    for (const auto& config : fs::directory_iterator(dir.path() / "state" / "tarvelkin" / "ccview"))
        for (const auto& file : fs::directory_iterator(config.path())) files += file.path().filename() != "history.json";
    EXPECT_EQ(files, 40u);
}

// The API's answers to requests that are not as its routes take them:
// bodies that are no JSON or of the wrong shape, ids and items that name
// nothing, folders that are none. Each is refused with its status and a
// message the page shows, and changes nothing: the next request that is
// right is answered as if they had never come.
TEST(serve, TheApiRefusesWhatItCannotTakeAndSaysWhy) {
    scratchFolder dir;
    fs::create_directory(dir.path() / "work");
    testSupport::writeFile(dir.path() / "work" / "in.txt", "x");
    testSupport::writeFile(dir.path() / "work" / "notes.md", "x");
    fs::create_directory(dir.path() / "work" / "sub");
    servedCcview server(sampleConfig(dir), {SERVE_TOOL, "exit:0"}, dir.path() / "work");
    const std::string file = utf8Of(dir.path() / "work" / "in.txt");
    // (a key of this server's own: the settings file is every test's)
    const std::string key = "ccview:" + server.token().substr(0, 16);
    const std::string runShape = R"(400 {"error":"expected {\"words\": [...], \"input\": true|false, \"cwd\": text, \"form\": {...}}"})";
    const std::string inputShape = R"(400 {"error":"expected {\"line\": text} or {\"end\": true}"})";
    const std::string valuesShape = R"(400 {"error":"expected {\"values\": ...} and/or {\"presets\": [...]}"})";
    const std::string notKept = R"(404 {"error":"no output of such a run is kept"})";
    const std::string noItem = R"(400 {"error":"no such file item"})";
    const std::string noShelf = R"(404 {"error":"this server serves one config, no shelf"})";
    json presets = json::array();
    for (int n = 0; n < 101; ++n) presets.push_back({{"name", "p"}, {"form", json::object()}});
    const struct {
        const char* what;
        std::string method, path, body;
        std::string answer;  // status and body; a status alone: the body is the system's to word
    } cases[] = {
        {"a run whose body is no JSON", "POST", "/api/run", "{\"words\": [", runShape},
        {"a run whose body is a list", "POST", "/api/run", "[]", runShape},
        {"a run without words", "POST", "/api/run", "{}", runShape},
        {"words that are no list", "POST", "/api/run", R"({"words":"a b"})", runShape},
        {"input that is no true or false", "POST", "/api/run", R"({"words":[],"input":"yes"})", runShape},
        {"a working folder that is no text", "POST", "/api/run", R"({"words":[],"cwd":5})", runShape},
        {"a form that is no object", "POST", "/api/run", R"({"words":[],"form":[]})", runShape},
        {"a word that is no text", "POST", "/api/run", R"({"words":["a",1]})", R"(400 {"error":"every word must be a text"})"},
        {"a working folder that is a file", "POST", "/api/run", json{{"words", json::array()}, {"cwd", file}}.dump(),
         "400 " + json{{"error", "working folder not found: " + file}}.dump()},
        {"a working folder with a NUL", "POST", "/api/run", R"({"words":[],"cwd":"sub\u0000"})",
         R"(400 {"error":"working folder not found: sub\u0000"})"},
        {"input that is no JSON", "POST", "/api/input", "line=y", inputShape},
        {"input both a line and its end", "POST", "/api/input", R"({"line":"y","end":true})", inputShape},
        {"input whose end is false", "POST", "/api/input", R"({"end":false})", inputShape},
        {"a line with no run to read it", "POST", "/api/input", R"({"line":"y"})",
         R"(409 {"error":"The program's input is not open: no run in progress reads from this page."})"},
        {"an end with no run to read it", "POST", "/api/input", R"({"end":true})",
         R"(409 {"error":"The program's input is not open: no run in progress reads from this page."})"},
        {"stop with no run", "POST", "/api/stop", "", R"(200 {"stopping":false})"},
        {"the output of no run", "GET", "/api/output", "", notKept},
        {"the output of a run never made", "GET", "/api/output?id=20000101-000000-000&from=x&tail=y", "", notKept},
        {"saving a run never made", "GET", "/api/save?id=..%2Fhistory.json", "", notKept},
        {"a listing without an item", "GET", "/api/list", "", noItem},
        {"a listing of an item that is no number", "GET", "/api/list?item=first", "", noItem},
        {"a listing of an item past the last", "GET", "/api/list?item=2", "", noItem},
        {"a listing of item -1", "GET", "/api/list?item=-1", "", noItem},
        {"a listing with a filter that is no number", "GET", "/api/list?item=1&filter=all", "", noItem},
        {"a filter past the last: the first", "GET", "/api/list?item=1&filter=7", "",
         "200 " + json{{"folder", utf8Of(fs::weakly_canonical(dir.path() / "work"))},
                       {"parent", utf8Of(fs::weakly_canonical(dir.path()))},
                       {"separator", std::string(1, static_cast<char>(fs::path::preferred_separator))},
                       {"entries", {{{"name", "sub"}, {"folder", true}}, {{"name", "in.txt"}, {"folder", false}}}}}.dump()},
        {"the folders of a folder that is none", "GET", "/api/list?item=0&folder=no%20such", "", "404"},
        {"the folders of a file", "GET", "/api/list?item=0&folder=in.txt", "", "404"},
        {"values without a key", "GET", "/api/values", "", R"(400 {"error":"no such key"})"},
        {"values of a key of another kind", "GET", "/api/values?key=ccview:../../settings", "", R"(400 {"error":"no such key"})"},
        {"values of a key never kept", "GET", "/api/values?key=" + key, "", R"(200 {"known":false,"presets":[],"values":null})"},
        {"keeping values from no JSON", "POST", "/api/values", "values", R"(400 {"error":"no such key"})"},
        {"keeping values under an upper-case key", "POST", "/api/values", R"({"key":"ccview:00000000000000A1","values":{}})",
         R"(400 {"error":"no such key"})"},
        {"keeping values under a key that is no text", "POST", "/api/values", R"({"key":7,"values":{}})",
         R"(400 {"error":"no such key"})"},
        {"keeping nothing", "POST", "/api/values", json{{"key", key}}.dump(), valuesShape},
        {"keeping values that are no object", "POST", "/api/values", json{{"key", key}, {"values", 5}}.dump(),
         R"(400 {"error":"values must be an object, or null"})"},
        {"keeping presets that are no list", "POST", "/api/values", json{{"key", key}, {"presets", json::object()}}.dump(),
         R"(400 {"error":"presets must be a list"})"},
        {"keeping 101 presets", "POST", "/api/values", json{{"key", key}, {"presets", presets}}.dump(),
         R"(400 {"error":"at most 100 presets"})"},
        {"keeping a preset without a form", "POST", "/api/values",
         json{{"key", key}, {"values", json::object()}, {"presets", {{{"name", "p"}}}}}.dump(),
         R"(400 {"error":"a preset is {\"name\": text, \"form\": {...}}"})"},
        {"keeping a preset named by a number", "POST", "/api/values",
         json{{"key", key}, {"presets", {{{"name", 5}, {"form", json::object()}}}}}.dump(),
         R"(400 {"error":"a preset is {\"name\": text, \"form\": {...}}"})"},
        {"keeping a preset of a name too long", "POST", "/api/values",
         json{{"key", key}, {"presets", {{{"name", std::string(401, 'n')}, {"form", json::object()}}}}}.dump(),
         R"(400 {"error":"a preset's name is too long"})"},
        {"none of that was kept", "GET", "/api/values?key=" + key, "", R"(200 {"known":false,"presets":[],"values":null})"},
        {"values and presets kept", "POST", "/api/values",
         json{{"key", key}, {"values", {{"a", 1}}}, {"presets", {{{"name", "p"}, {"form", json::object()}}}}}.dump(),
         R"(200 {"kept":true})"},
        {"values forgotten, presets kept", "POST", "/api/values", json{{"key", key}, {"values", nullptr}}.dump(),
         R"(200 {"kept":true})"},
        {"what was kept", "GET", "/api/values?key=" + key, "",
         R"(200 {"known":true,"presets":[{"form":{},"name":"p"}],"values":null})"},
        {"the shelf of a server of one config", "GET", "/api/shelf", "", noShelf},
        {"adding to it", "POST", "/api/shelf/add", R"({"name":"a.cc","bytes":""})", noShelf},
        {"removing from it", "POST", "/api/shelf/remove", R"({"id":"0123456789abcdef"})", noShelf},
        {"choosing a program for it", "POST", "/api/shelf/program", R"({"id":"0123456789abcdef","path":"/bin/sh"})", noShelf},
        {"browsing for a program", "GET", "/api/shelf/browse", "", noShelf},
        {"the program dialog", "POST", "/api/shelf/dialog", "", noShelf},
        {"an API that is none", "GET", "/api/nothing", "", "404"},
    };
    httplib::Client c = server.client();
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        auto r = t.method == "GET" ? c.Get(t.path, server.page()) : c.Post(t.path, server.page(), t.body, "application/json");
        ASSERT_TRUE(r);
        if (t.answer.size() == 3) {
            EXPECT_EQ(std::to_string(r->status), t.answer) << r->body;
        } else {
            EXPECT_EQ(std::to_string(r->status) + " " + r->body, t.answer);
        }
    }
    // The runs asked for wrongly were never started.
    EXPECT_EQ(server.get("/api/history"), R"({"running":null,"runs":[]})");
}

// A damaged history (a file that is no list of runs) is kept aside under
// the first free name, never overwritten unseen; the runs go on in a new one,
// and the outputs of the runs it held stay on disk.
TEST(serve, ADamagedHistoryIsKeptAside) {
    scratchFolder dir;
    servedCcview server(sampleConfig(dir), {SERVE_TOOL});
    const runSeen first = server.run({"out:first\\n"});
    fs::path folder;
    for (const auto& config : fs::directory_iterator(dir.path() / "state" / "tarvelkin" / "ccview")) folder = config.path();
    const fs::path history = folder / "history.json";
    const std::string damaged[] = {"[{\"id\": \"" + first.id + "\", \"start\": 1", "{\"runs\": []}\n"};
    for (int n = 1; n <= 2; ++n) {
        SCOPED_TRACE(n);
        testSupport::writeFile(history, damaged[n - 1]);
        EXPECT_EQ(server.get("/api/history"), R"({"running":null,"runs":[]})");
        const runSeen next = server.run({"out:next\\n"});
        const json runs = json::parse(server.get("/api/history"))["runs"];
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0]["id"], next.id);
        EXPECT_EQ(runs[0]["outcome"], "exit");
        EXPECT_EQ(testSupport::fileBytes(pathOfUtf8(utf8Of(history) + ".damaged-" + std::to_string(n))), damaged[n - 1]);
    }
    EXPECT_EQ(testSupport::fileBytes(folder / (first.id + ".out")), "first\n");
#ifndef _WIN32
    ASSERT_EQ(server.end(), 0);
    for (int n = 1; n <= 2; ++n)
        EXPECT_NE(server.errors().find("ccview: the run history in " + utf8Of(history) + " was damaged; it is kept in " +
                                       utf8Of(history) + ".damaged-" + std::to_string(n) + ", and a new one begins\n"),
                  std::string::npos)
            << server.errors();
#endif
}

// Where runs cannot be kept (their folder is a file), a run still runs
// and its page gets all of its output; its start says that the output is not
// kept on disk, and nothing claims a run is kept that is not.
TEST(serve, ARunWhoseOutputCannotBeKeptSaysSo) {
    scratchFolder dir;
    const std::string inTheWay = "a file where the runs' folder would be";
    const fs::path runs = dir.path() / "state" / "tarvelkin" / "ccview";
    fs::create_directories(runs.parent_path());
    testSupport::writeFile(runs, inTheWay);
    servedCcview server(sampleConfig(dir), {SERVE_TOOL});
    json start;
    const runSeen seen = server.run({"out:only live\\n", "exit:4"}, [&](const json& event, const runSeen&) {
        if (event["type"] == "start") start = event;
    });
    EXPECT_EQ(seen.out, "only live\n");
    EXPECT_EQ(seen.end["outcome"], "exit");
    EXPECT_EQ(seen.end["code"], 4);
    const std::string note = start.value("note", "");
    EXPECT_EQ(note.rfind("This run's output is not kept on disk: cannot write ", 0), 0u) << note;
    EXPECT_NE(note.find("history.json: "), std::string::npos) << note;
    EXPECT_EQ(server.get("/api/history"), R"({"running":null,"runs":[]})");
    EXPECT_EQ(server.get("/api/output?id=" + seen.id), R"(404 {"error":"no output of such a run is kept"})");
    EXPECT_EQ(server.get("/api/save?id=" + seen.id), R"(404 {"error":"no output of such a run is kept"})");
    EXPECT_EQ(testSupport::fileBytes(runs), inTheWay);
}

}  // namespace
