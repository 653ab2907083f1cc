#include "serve.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <iostream>
#include <memory>
#include <thread>

#include "ccviewPage.h"
#include "childProcess.h"
#include "cnfDump.h"
#include "host.h"
#include "idleWatch.h"
#include "launchFiles.h"
#include "personServer.h"
#include "requestCheck.h"
#include "runner.h"
#include "serveApi.h"
#include "serveRoutes.h"
#include "servedConfigs.h"
#include "settings.h"
#include "shelf.h"
#include "userFolders.h"
#include "utf8.h"

namespace {

// Threads that answer requests. A page's event stream holds one, and a
// browser opens at most 6 connections to a server. A connection without the
// token is closed after its answer; one that sends nothing holds a thread
// only until its first byte's deadline, counted from when it was accepted
// (so that connections that waited for a thread past it go at once), and one
// that sends its request slowly until its head's deadline (the local patches
// to httplib.h: 1 s each), so that hundreds of idle connections, or dozens
// that drip, keep the page's own requests waiting about a second at most.
// At most queuedConnections wait for a thread; more are closed at once.
constexpr std::size_t serverThreads = 32;
constexpr std::size_t queuedConnections = 512;
// How long a connection waits for the rest of a request once it has begun,
// and for the next request of a page's connection.
constexpr time_t readSeconds = 1;
constexpr time_t keepAliveSeconds = 5;

// A new token: 256 bits from the system's random source, as hexadecimal.
// Empty when the source fails.
std::string newToken() {
    return randomHex(32);
}

// Binds the server to 127.0.0.1: to the port asked for, else to a config's
// own or, when that is taken, and for a shelf, any free one. The port, or 0
// (said why).
int bindLoopback(httplib::Server& server, const serveOptions& o) {
    // Numeric and loopback only: no name is resolved, nothing else listens.
    constexpr int flags = AI_NUMERICHOST | AI_PASSIVE;
    const bool shelf = o.program.empty();
    const int port = o.port != 0 ? o.port : shelf ? 0 : configPort(o.config);
    if (port != 0 && server.bind_to_port("127.0.0.1", port, flags)) return port;
    if (o.port != 0) {
        std::cerr << "ccview: cannot listen on 127.0.0.1:" << port << " (is another program using it?)" << std::endl;
        return 0;
    }
    const int other = server.bind_to_any_port("127.0.0.1", flags);
    if (other <= 0) {
        std::cerr << "ccview: cannot listen on 127.0.0.1" << std::endl;
        return 0;
    }
    if (!shelf)
        std::cerr << "ccview: port " << port << ", this config's own, is taken; serving on " << other << " instead"
                  << std::endl;
    return other;
}

// Every answer's headers; then the request's checks (requestCheck.h).
void guard(httplib::Server& server, const serverIdentity& identity) {
    server.set_pre_routing_handler([&identity](const httplib::Request& req, httplib::Response& res) {
        res.set_header("Cache-Control", "no-store");
        res.set_header("X-Content-Type-Options", "nosniff");
        res.set_header("Referrer-Policy", "no-referrer");
        res.set_header("X-Frame-Options", "DENY");
        res.set_header("Content-Security-Policy", "frame-ancestors 'none'");
        const verdict v = checkRequest(req, identity);
        // Only the page's own requests keep their connection for the next.
        // A refused request's body, if any, is never read: the connection
        // ends with the answer, so that the body is not read as a request of
        // its own.
        if (!v.trusted) res.set_header("Connection", "close");
        if (v.passed()) return httplib::Server::HandlerResponse::Unhandled;
        res.status = v.status;
        res.set_content(v.why + "\n", "text/plain; charset=utf-8");
        return httplib::Server::HandlerResponse::Handled;
    });
}

// Writes the token file and the launch file (and, for the person's server,
// the file a second start finds it by), prints the launch file's path
// and, when the browser is to be opened, opens it there. False when there is
// no launch file: no page could be opened.
bool announce(const serveOptions& o, const serverIdentity& identity, launchFiles& files, personServer* person) {
    const std::string portText = std::to_string(identity.port);
    std::string why;
    if (!files.writeToken(identity.token, why))
        std::cerr << "ccview: warning: cannot write the token file " << files.tokenPath() << ": " << why << std::endl;
    if (!files.writeLaunch(identity, why)) {
        std::cerr << "ccview: cannot write the launch file " << files.launchPath() << ": " << why
                  << "; not serving" << std::endl;
        return false;
    }
    // Found by a second start before anyone learns of this server.
    if (person != nullptr && !person->listening(identity.port, files.launchPath(), why))
        std::cerr << "ccview: warning: a second start will not find this server: " << why << std::endl;
    std::cout << files.launchPath() << std::endl;
    if (o.program.empty())
        std::cerr << "ccview: serving the shelf on 127.0.0.1:" << portText << "; its programs run in " << o.cwd
                  << std::endl;
    else
        std::cerr << "ccview: serving " << o.configName << " on 127.0.0.1:" << portText << "; it runs "
                  << o.program[0] << " in " << o.cwd << std::endl;
    std::cerr << "ccview: open the launch file above in a browser (it hands the page its token); "
                 "Ctrl+C ends the server" << std::endl;
    if (o.openBrowser && !openInBrowser(files.launchPath()))
        std::cerr << "ccview: cannot open a browser: open the launch file above" << std::endl;
    return true;
}

std::string minutesText(int minutes) { return std::to_string(minutes) + (minutes == 1 ? " minute" : " minutes"); }

}  // namespace

std::uint64_t configHash(const cnfConfig& config) {
    std::uint64_t hash = 0xcbf29ce484222325u;  // 64-bit FNV-1a
    for (const char c : cnfDumpJson(config)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3u;
    }
    return hash;
}

int configPort(const cnfConfig& config) { return 61000 + static_cast<int>(configHash(config) % 4536); }

namespace {

// The person's settings, in their config folder; what to tell of them in
// notice. Without that folder none are kept: never in another folder, where
// a file of that name may be someone else's.
std::unique_ptr<settingsStore> personSettings(std::string& notice) {
    std::string folder, why;
    if (!makeUserFolder(userFolder::config, folder, why)) {
        notice = "settings cannot be kept: " + why;
        std::cerr << "ccview: " << notice << std::endl;
        std::string ignored;
        return std::make_unique<settingsStore>("", ignored);
    }
    auto settings = std::make_unique<settingsStore>(utf8Of(pathOfUtf8(folder) / "settings.json"), notice);
    if (!notice.empty()) std::cerr << "ccview: " << notice << std::endl;
    return settings;
}

// Opens the person's running server in the browser (or prints its launch
// file); the exit status.
int openRunning(const personServer& running, const serveOptions& o) {
    std::string why;
    const std::string launch = running.runningLaunchFile(why);
    if (launch.empty()) {
        std::cerr << "ccview: " << why << std::endl;
        return 1;
    }
    std::cout << launch << std::endl;
    std::cerr << "ccview: the shelf is served already; " << (o.openBrowser ? "opening" : "open") << " its launch file"
              << std::endl;
    if (o.openBrowser && !openInBrowser(launch))
        std::cerr << "ccview: cannot open a browser: open the launch file above" << std::endl;
    return 0;
}

// Serves on server, bound, until the end; the exit status.
int serveBound(httplib::Server& server, const serveOptions& o, const serverIdentity& identity, servedConfigs& configs,
               settingsStore& settings, const std::string& notice, const std::string& runtime,
               personServer* person) {
    idleWatch idle(o.idleMinutes, [&configs] { return configs.running(); });
    watchForEnd([&] { idle.stop(); });
    serveContext context{identity, configs, idle, settings, notice, configs.isShelf() ? shelfPage() : "",
                         [&idle] { idle.stop(); }};
    guard(server, context.identity);
    addRoutes(server, context);
    addShelfRoutes(server, context);
    launchFiles files(runtime, identity.port);
    if (!announce(o, identity, files, person)) return 1;

    std::atomic<bool> listened{false};
    std::thread listener([&] {
        server.listen_after_bind();
        listened = true;
    });
    // Until it listens, the server cannot be stopped (a stop would be missed
    // and the listener never end), also when Ctrl+C comes at once.
    while (!server.is_running() && !listened) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    idle.waitForEnd();
    if (idle.idled()) std::cerr << "ccview: no page for " << minutesText(o.idleMinutes) << "; ending" << std::endl;
    if (configs.running()) std::cerr << "ccview: stopping the run in progress, as Stop does, before ending" << std::endl;
    configs.shutDown();
    // The pages get the run's end before the server stops.
    idle.waitForNoPages(std::chrono::seconds(2));
    server.stop();
    listener.join();
    return 0;
}

}  // namespace

int serve(const serveOptions& o) {
    std::string runtime, why;
    if (!makeUserFolder(userFolder::runtime, runtime, why)) {
        std::cerr << "ccview: no folder for the launch file: " << why << "; not serving" << std::endl;
        return 1;
    }
    std::unique_ptr<personServer> person;
    if (o.personal) {
        person = std::make_unique<personServer>(runtime);
        if (!person->ours() && person->why().empty()) return openRunning(*person, o);
        if (!person->ours()) std::cerr << "ccview: warning: " << person->why() << std::endl;
    }
    serverIdentity identity;
    identity.token = newToken();
    if (identity.token.empty()) {
        std::cerr << "ccview: the system's random source failed; not serving" << std::endl;
        return 1;
    }
    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(serverThreads, queuedConnections); };
    server.set_read_timeout(readSeconds, 0);
    server.set_keep_alive_timeout(keepAliveSeconds);
    server.set_payload_max_length(maxRequestBody);
    server.set_tcp_nodelay(true);  // an output chunk leaves at once
    server.set_socket_options([](socket_t socket) { ownPortOptions(static_cast<std::uintptr_t>(socket)); });
    identity.port = bindLoopback(server, o);
    if (identity.port == 0) return 1;
    // Each run's whole tree ends with the run, and with this server however
    // it ends (a keeper per run on Linux, the Job Object on Windows).
    childProcess::holdWholeTree();

    std::string notice;
    const std::unique_ptr<settingsStore> settings = personSettings(notice);
    std::unique_ptr<shelf> configsShelf;
    std::unique_ptr<servedConfigs> configs;
    if (o.program.empty()) {
        configsShelf = std::make_unique<shelf>(o.shelfFolders, *settings);
        configs = std::make_unique<servedConfigs>(*configsShelf, o.cwd);
    } else {
        configs = std::make_unique<servedConfigs>(o.configName, o.config, o.program, o.cwd);
    }
    return serveBound(server, o, identity, *configs, *settings, notice, runtime, person.get());
}
