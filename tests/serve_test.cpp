// ccview --serve driven from outside, as a browser or a script would drive
// it: the real server process, started with the test tool as its program.
// The tool waits on a server of the test's own (controlServer), so that the
// test decides when it goes on, and no test waits for time to pass.
#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "childProcess.h"
#include "host.h"
#include "requestCheck.h"
#include "utf8.h"
#include "testSupport.h"

namespace {

using json = nlohmann::json;
namespace fs = std::filesystem;
using testSupport::scratchFolder;

std::string base64Decoded(const std::string& text) {
    static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned value = 0;
    int bits = 0;
    for (char c : text) {
        const std::size_t d = digits.find(c);
        if (d == std::string::npos) break;
        value = (value << 6) | static_cast<unsigned>(d);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((value >> bits) & 0xff);
        }
    }
    return out;
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
    std::string out, err;
    json end;
    std::vector<std::string> types;
    std::size_t dropped = 0;      // output bytes a gap said were dropped
    std::size_t streamBytes = 0;  // what the stream sent, all of it
};

// A running ccview --serve, its address read from its first line of output.
class servedCcview {
public:
    servedCcview(const fs::path& config, const std::vector<std::string>& program, const fs::path& cwd = {},
                 const std::vector<std::string>& options = {"--no-browser"}) {
        std::vector<std::string> argv = {CCVIEW_PROGRAM, "--serve"};
        argv.insert(argv.end(), options.begin(), options.end());
        if (!cwd.empty()) argv.insert(argv.end(), {"--cwd", cwd.string()});
        argv.insert(argv.end(), {config.string(), "--"});
        argv.insert(argv.end(), program.begin(), program.end());
        std::string why;
        process_ = childProcess::start(argv, "", why);
        if (!process_) throw std::runtime_error("cannot start ccview: " + why);
        char c = 0;
        while (process_->read(childProcess::stream::out, &c, 1) == 1 && c != '\n') url_ += c;
        if (url_.empty()) throw std::runtime_error("ccview --serve printed no address");
        if (url_.back() == '\r') url_.pop_back();
        const std::size_t colon = url_.find(':', 7), slash = url_.find('/', 7);
        port_ = std::stoi(url_.substr(colon + 1, slash - colon - 1));
        token_ = url_.substr(url_.find("token=") + 6);
    }
    // Ends the server as Ctrl+C does, so that it removes its token file (a
    // test on Windows has no console to send Ctrl+C from: it ends the tree,
    // and removes the file itself).
    ~servedCcview() {
        if (!process_) return;
#ifdef _WIN32
        process_->endNow();
        process_->wait();
        std::error_code ignored;
        fs::remove(pathOfUtf8(privateFolder()) / ("ccview-" + std::to_string(port_) + ".token"), ignored);
#else
        end();
#endif
    }
    servedCcview(const servedCcview&) = delete;
    servedCcview& operator=(const servedCcview&) = delete;

    // Headers of the page itself: its Host, its cookie, its Origin.
    httplib::Headers page() const {
        return {{"Host", host()}, {"Cookie", cookie()}, {"Origin", "http://" + host()}};
    }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string cookie() const { return "ccview-" + std::to_string(port_) + "=" + token_; }
    int port() const { return port_; }
    const std::string& token() const { return token_; }
    httplib::Client client() const {
        httplib::Client c("127.0.0.1", port_);
        c.set_read_timeout(60, 0);
        return c;
    }
    // Ends the server as Ctrl+C does; its exit status. What it wrote to
    // standard error is then in errors().
    int end() {
        process_->askToEnd();
        char buffer[4096];
        for (std::size_t got; (got = process_->read(childProcess::stream::err, buffer, sizeof buffer)) > 0;)
            errors_.append(buffer, got);
        const processOutcome o = process_->wait();
        process_.reset();
        return o.signalled ? -1 : o.code;
    }
    const std::string& errors() const { return errors_; }

    // Starts a run with words and follows the event stream to its end,
    // calling onEvent with what was seen so far after each event.
    runSeen run(const std::vector<std::string>& words,
                const std::function<void(const json&, const runSeen&)>& onEvent = {}) {
        auto started = client().Post("/api/run", page(), json({{"words", words}}).dump(), "application/json");
        EXPECT_TRUE(started && started->status == 200) << (started ? started->body : "no answer");
        return follow(onEvent);
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
                if (type == "output") (event["stream"] == "out" ? seen.out : seen.err) += base64Decoded(event["data"]);
                if (type == "gap") seen.dropped = event["bytes"];
                if (type == "end") {
                    seen.end = event;
                    ended = true;
                }
                if (onEvent) onEvent(event, seen);
            }
            return !ended;
        });
        return seen;
    }

private:
    std::unique_ptr<childProcess> process_;
    std::string url_, token_, errors_;
    int port_ = 0;
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

// The request table: each row goes to the checks themselves (requestCheck.h)
// and to the real server, which must agree. A row the checks pass and its
// route refuses says so.
TEST(serve, RequestsWithoutTokenHostAndOriginAreRefused) {
    scratchFolder dir;
    servedCcview server(sampleConfig(dir), {SERVE_TOOL, "exit:0"});
    const std::string own = "http://" + server.host();
    const std::string other = "http://127.0.0.1:" + std::to_string(server.port() == 1 ? 2 : server.port() - 1);
    const std::string badCookie = "ccview-" + std::to_string(server.port()) + "=" + std::string(64, '0');
    const std::string none;
    const struct {
        const char* what;
        std::string method, path, host, cookie, origin, site;
        int status;
        std::string header{}, value{};  // one more header, if any
        bool byRoute = false;           // refused by the route, not the checks
    } cases[] = {
        {"launch address", "GET", "/?token=" + server.token(), server.host(), none, none, "none", 200},
        {"launch, localhost", "GET", "/?token=" + server.token(), "localhost:" + std::to_string(server.port()), none, none, none, 200},
        {"launch from a local file", "GET", "/?token=" + server.token(), server.host(), none, none, "cross-site", 200},
        {"launch, wrong token", "GET", "/?token=" + std::string(64, 'a'), server.host(), none, none, "none", 403, {}, {}, true},
        {"launch, rebound name", "GET", "/?token=" + server.token(), "evil.example:" + std::to_string(server.port()), none, none, none, 403},
        {"page with cookie", "GET", "/", server.host(), server.cookie(), none, "same-origin", 200},
        {"page without cookie", "GET", "/", server.host(), none, none, none, 403},
        {"page, wrong cookie", "GET", "/", server.host(), badCookie, none, none, 403},
        {"page, other port in Host", "GET", "/", "127.0.0.1:1", server.cookie(), none, none, 403},
        {"page, no Host", "GET", "/", none, server.cookie(), none, none, 403},
        {"info, script", "GET", "/api/info", server.host(), server.cookie(), none, none, 200},
        {"info from another port's page", "GET", "/api/info", server.host(), server.cookie(), other, "same-site", 403},
        {"stop, own page", "POST", "/api/stop", server.host(), server.cookie(), own, "same-origin", 200},
        {"stop, script", "POST", "/api/stop", server.host(), server.cookie(), none, none, 200},
        {"stop, no cookie", "POST", "/api/stop", server.host(), none, own, "same-origin", 403},
        {"stop from another port", "POST", "/api/stop", server.host(), server.cookie(), other, "same-site", 403},
        {"stop, forged Origin only", "POST", "/api/stop", server.host(), server.cookie(), other, none, 403},
        {"stop from a site", "POST", "/api/stop", server.host(), server.cookie(), "https://evil.example", "cross-site", 403},
        {"stop, no Origin but same-site", "POST", "/api/stop", server.host(), server.cookie(), none, "same-site", 403},
        {"stop, typed", "POST", "/api/stop", server.host(), server.cookie(), none, "none", 403},
        {"run, rebound name", "POST", "/api/run", "evil.example:" + std::to_string(server.port()), server.cookie(), none, none, 403},
        {"events from another port", "GET", "/api/events", server.host(), server.cookie(), other, "same-site", 403},
        {"events, no cookie", "GET", "/api/events", server.host(), none, own, none, 403},
        {"list from another port", "GET", "/api/list?item=1", server.host(), server.cookie(), other, "same-site", 403},
        {"run, chunked body", "POST", "/api/run", server.host(), server.cookie(), own, "same-origin", 411,
         "Transfer-Encoding", "chunked"},
        {"run, body over 1 MB", "POST", "/api/run", server.host(), server.cookie(), own, "same-origin", 413,
         "Content-Length", "1048577"},
    };
    const serverIdentity identity{server.port(), server.token()};
    httplib::Client c = server.client();
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        httplib::Headers headers;
        for (const auto& [name, value] : {std::pair<const char*, const std::string&>{"Host", t.host},
                                          {"Cookie", t.cookie}, {"Origin", t.origin}, {"Sec-Fetch-Site", t.site}})
            if (!value.empty()) headers.emplace(name, value);
        if (t.host.empty()) headers.emplace("Host", "");
        if (!t.header.empty()) headers.emplace(t.header, t.value);

        httplib::Request asked;
        asked.method = t.method;
        asked.path = t.path.substr(0, t.path.find('?'));
        if (t.path.find('?') != std::string::npos)
            httplib::detail::parse_query_text(t.path.substr(t.path.find('?') + 1), asked.params);
        asked.headers = headers;
        if (t.method == "POST" && !asked.has_header("Content-Length")) asked.headers.emplace("Content-Length", "2");
        const verdict checked = checkRequest(asked, identity);
        EXPECT_EQ(checked.status, t.status < 300 || t.byRoute ? 0 : t.status) << checked.why;

        auto r = t.method == "GET" ? c.Get(t.path, headers) : c.Post(t.path, headers, "{}", "application/json");
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, t.status);
        if (!checked.passed()) {
            EXPECT_EQ(r->body, checked.why + "\n");
        }
        EXPECT_FALSE(r->has_header("Access-Control-Allow-Origin"));
        if (t.status == 200 && t.path.rfind("/?token=", 0) == 0) {
            EXPECT_EQ(r->get_header_value("Set-Cookie"),
                      server.cookie() + "; Path=/; HttpOnly; SameSite=Strict");
        }
    }

    // A flood of headers is cut short, and connections that send their
    // request a byte at a time, more of them than the server has threads,
    // are ended; meanwhile the page's own request still answers.
    httplib::Error error{};
    const auto connect = [&] {
        return httplib::detail::create_client_socket("127.0.0.1", "", server.port(), AF_INET, false, nullptr, 5, 0,
                                                      60, 0, 60, 0, "", error);
    };
    const auto send = [](socket_t socket, const std::string& bytes) {
#ifdef MSG_NOSIGNAL
        return ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL) > 0;
#else
        return ::send(socket, bytes.data(), static_cast<int>(bytes.size()), 0) > 0;
#endif
    };
    const std::string head = "GET /api/info HTTP/1.1\r\nHost: " + server.host() + "\r\n";
    const socket_t flood = connect();
    std::size_t flooded = 0;
    for (bool sent = send(flood, head); sent && flooded < (64u << 20); flooded += 1024)
        sent = send(flood, "X-Flood: " + std::string(1013, 'x') + "\r\n");
    EXPECT_LT(flooded, 64u << 20);
    httplib::detail::close_socket(flood);
    std::vector<socket_t> slow(48);
    for (socket_t& socket : slow) {
        socket = connect();
        send(socket, head + "X-Slow: ");
    }
    std::atomic<bool> answered{false};
    std::thread drip([&] {
        while (!answered) {
            for (const socket_t socket : slow) send(socket, "x");
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
    });
    const auto info = c.Get("/api/info", server.page());
    answered = true;
    drip.join();
    for (const socket_t socket : slow) httplib::detail::close_socket(socket);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->status, 200);

    // Nothing listens on another loopback address, let alone the machine's own.
    httplib::Client elsewhere("127.0.0.2", server.port());
    elsewhere.set_connection_timeout(5, 0);
    EXPECT_FALSE(elsewhere.Get("/api/info", server.page()));

    // The token is also in a file only this user may read, until the end.
    const fs::path tokenFile = pathOfUtf8(privateFolder()) / ("ccview-" + std::to_string(server.port()) + ".token");
    EXPECT_EQ(testSupport::fileBytes(tokenFile), server.token() + "\n");
#ifndef _WIN32
    EXPECT_EQ(fs::status(tokenFile).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    // Ended as Ctrl+C ends it (a test on Windows has no console to send it).
    EXPECT_EQ(server.end(), 0);
    EXPECT_FALSE(fs::exists(tokenFile));
#endif
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
        std::size_t replayAtMost = 0;  // if set: output may be dropped; a replay sends at most this
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
        if (t.replayAtMost == 0) {
            EXPECT_EQ(seen.out, t.out);
        } else {
            // Read again from the start: what is kept and what was dropped.
            const runSeen replay = server.follow();
            EXPECT_LE(replay.streamBytes, t.replayAtMost);
            EXPECT_EQ(replay.out.size() + replay.dropped, t.out.size());
            EXPECT_EQ(t.out.substr(0, seen.out.size()), seen.out);
        }
        EXPECT_EQ(seen.err, t.err);
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

}  // namespace
