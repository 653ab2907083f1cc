// ccview with no config: the shelf's server, the real process driven over
// HTTP as its page drives it. Each test gives the server folders of its own
// (the XDG variables; the application data folders on Windows), as a
// person's account would.
#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "ccviewProcess.h"
#include "childProcess.h"
#include "testSupport.h"
#include "utf8.h"

namespace {

using json = nlohmann::json;
namespace fs = std::filesystem;
using testSupport::fileBytes;
using testSupport::onWindows;
using testSupport::scratchFolder;
using testSupport::writeFile;

// A person's folders in a scratch folder, set for the servers this test
// starts (userFolders.h): on Windows the roaming and the local application
// data; elsewhere the XDG folders.
class personFolders {
public:
    personFolders() {
        const std::vector<std::pair<const char*, const char*>> folders =
            onWindows ? std::vector<std::pair<const char*, const char*>>{{"APPDATA", "roaming"},
                                                                         {"LOCALAPPDATA", "local"}}
                      : std::vector<std::pair<const char*, const char*>>{{"XDG_CONFIG_HOME", "config"},
                                                                         {"XDG_DATA_HOME", "data"},
                                                                         {"XDG_STATE_HOME", "state"},
                                                                         {"XDG_RUNTIME_DIR", "run"}};
        for (const auto& [name, sub] : folders) {
            fs::create_directories(scratch_.path() / sub);
            testSupport::setVariable(name, utf8Of(scratch_.path() / sub));
        }
    }
    fs::path settings() const { return folder(onWindows ? "roaming" : "config") / "settings.json"; }
    fs::path configs() const { return folder(onWindows ? "roaming" : "data") / "configs"; }
    fs::path runtime() const { return folder(onWindows ? "local" : "run"); }
    fs::path path() const { return scratch_.path(); }

private:
    fs::path folder(const char* sub) const { return scratch_.path() / sub / "tarvelkin"; }

    scratchFolder scratch_{"shelf"};
};

// A ccview with no config: the shelf, asked as its page asks.
class shelfServer : public testSupport::ccviewProcess {
public:
    explicit shelfServer(const std::vector<std::string>& words = {}) : ccviewProcess(withNoBrowser(words)) {}

    // What the server answers a request of its page.
    json get(const std::string& path, int expected = 200) {
        return checked(client().Get(path, page()), expected);
    }
    json post(const std::string& path, const json& body, int expected = 200) {
        return checked(client().Post(path, page(), body.dump(), "application/json"), expected);
    }

private:
    static std::vector<std::string> withNoBrowser(std::vector<std::string> words) {
        words.insert(words.begin(), "--no-browser");
        return words;
    }
    static json checked(const httplib::Result& answer, int expected) {
        EXPECT_TRUE(answer) << "no answer";
        if (!answer) return {};
        EXPECT_EQ(answer->status, expected) << answer->body;
        return json::parse(answer->body, nullptr, false);
    }
};

// A built program's full path as the system names it (on Windows the build
// names it from the root of the drive, without the drive).
std::string fullPath(const char* program) { return utf8Of(fs::absolute(pathOfUtf8(program)).make_preferred()); }

// Under Wine these tests now and then wait forever: Wine starts its desktop
// process (explorer.exe /desktop) as ccview starts, and that process is left
// holding ccview's output. They pass under Wine when its desktop process runs
// already, and run on Windows again once that is understood.
constexpr const char* wineWaits = "waits under Wine now and then (its desktop process takes ccview's output)";

std::string exampleConfig() { return testSupport::compiled(fileBytes(TARVELKIN_EXAMPLE)); }

// The entry of a shelf's answer with this file name, or null.
json entryNamed(const json& shelf, const std::string& name) {
    for (const json& e : shelf["entries"])
        if (e["name"] == name) return e;
    return {};
}

std::string base64Of(const std::string& bytes) { return httplib::detail::base64_encode(bytes); }

// A second start finds the first server through the runtime folder, prints
// its launch file and ends with 0; once the first ends, its files are gone
// and the next start serves again.
TEST(shelf, SecondStartOpensTheFirstServer) {
    if (onWindows) {
        GTEST_SKIP() << wineWaits;
    }
    personFolders person;
    std::string launch;
    {
        shelfServer first;
        launch = first.launch();
        ASSERT_FALSE(launch.empty());
        EXPECT_EQ(pathOfUtf8(launch).parent_path(), person.runtime());
        if (!onWindows) {
            EXPECT_EQ(fs::status(person.runtime() / "ccview.json").permissions() & fs::perms::all,
                      fs::perms::owner_read | fs::perms::owner_write);
        }
        shelfServer second;
        EXPECT_EQ(second.launch(), launch);
        EXPECT_EQ(second.wait(), 0);
        EXPECT_NE(second.errors().find("the shelf is served already"), std::string::npos) << second.errors();
        EXPECT_EQ(first.get("/api/shelf")["folders"][0]["path"], utf8Of(person.configs()));
        EXPECT_EQ(first.quit(), 0);
    }
    EXPECT_FALSE(fs::exists(person.runtime() / "ccview.json"));
    EXPECT_FALSE(fs::exists(pathOfUtf8(launch)));
    shelfServer third;
    EXPECT_FALSE(third.launch().empty());
    EXPECT_EQ(third.quit(), 0);
}

// The person's folder and the installed examples: a config the reader
// refuses is listed with its reason and cannot be opened; a config's
// program is its base name in PATH until one is chosen, which the next
// start remembers; installed configs cannot be removed, the person's can.
TEST(shelf, ListsChoosesAddsAndRemoves) {
    if (onWindows) {
        GTEST_SKIP() << wineWaits;
    }
    personFolders person;
    fs::create_directories(person.configs());
    std::string broken = exampleConfig();
    broken[6] = 3;
    writeFile(person.configs() / "broken.cc", broken);
    writeFile(person.configs() / "serve_tool.cc", exampleConfig());
    writeFile(person.configs() / "nowhere.cc", exampleConfig());
    writeFile(person.configs() / ".hidden.cc", exampleConfig());
    writeFile(person.configs() / "notes.txt", "not a config");
    const std::string serveTool = fullPath(SERVE_TOOL), argvPrint = fullPath(ARGV_PRINT);
    testSupport::setVariable("PATH", utf8Of(pathOfUtf8(serveTool).parent_path()));
    std::string nowhereId;
    {
        shelfServer server;
        json shelf = server.get("/api/shelf");
        std::vector<std::string> names;
        for (const json& e : shelf["entries"]) names.push_back(e["name"]);
        // The person's first, by name; then what came with ccview.
        EXPECT_EQ(names, (std::vector<std::string>{"broken.cc", "nowhere.cc", "serve_tool.cc", "prog.cc"}));
        const json refused = entryNamed(shelf, "broken.cc");
        EXPECT_EQ(refused["refused"], "offset 6: version is 3, expected 2");
        server.get("/config/" + refused["id"].get<std::string>(), 404);
        const json found = entryNamed(shelf, "serve_tool.cc");
        EXPECT_EQ(found["headerItems"][0], "header item 1");
        EXPECT_EQ(found["program"], json({{"name", "serve_tool"}, {"path", serveTool}, {"found", true},
                                          {"chosen", false}}));
        const json nowhere = entryNamed(shelf, "nowhere.cc");
        nowhereId = nowhere["id"];
        EXPECT_EQ(nowhere["program"]["found"], false);
        // The run page says so before anything is filled in, and runs nothing.
        EXPECT_NE(server.get("/api/info?config=" + nowhereId)["missing"].get<std::string>().find("\"nowhere\" was not found"),
                  std::string::npos);
        server.post("/api/run?config=" + nowhereId, {{"words", json::array()}}, 409);
        // A choice that is no program is refused; a program is remembered.
        EXPECT_EQ(server.post("/api/shelf/program", {{"id", nowhereId}, {"path", utf8Of(person.path())}}, 409)["error"],
                  utf8Of(person.path()) + " is not a program you may run");
        server.post("/api/shelf/program", {{"id", nowhereId}, {"path", argvPrint}});
        const json prog = entryNamed(shelf, "prog.cc");
        EXPECT_EQ(prog["own"], false);
        EXPECT_EQ(server.post("/api/shelf/remove", {{"id", prog["id"]}}, 409)["error"],
                  "prog.cc was installed with ccview: it cannot be removed");
        server.post("/api/shelf/remove", {{"id", found["id"]}});
        EXPECT_FALSE(fs::exists(person.configs() / "serve_tool.cc"));
        // Added: copied whole into the person's folder, never over another.
        server.post("/api/shelf/add", {{"name", "added.cc"}, {"bytes", base64Of(exampleConfig())}});
        EXPECT_EQ(fileBytes(person.configs() / "added.cc"), exampleConfig());
        EXPECT_EQ(server.post("/api/shelf/add", {{"name", "added.cc"}, {"bytes", base64Of(exampleConfig())}},
                              409)["error"],
                  "a config named added.cc is on the shelf already: remove it first");
        EXPECT_EQ(server.post("/api/shelf/add", {{"name", "x.cc"}, {"bytes", base64Of(broken)}}, 409)["error"],
                  "x.cc is not a config ccview can read: offset 6: version is 3, expected 2");
        EXPECT_EQ(server.post("/api/shelf/add", {{"name", "../x.cc"}, {"bytes", base64Of(exampleConfig())}},
                              409)["error"],
                  "\"../x.cc\" is not a config's file name (NAME.cc)");
        EXPECT_FALSE(fs::exists(person.configs() / "x.cc"));
        EXPECT_FALSE(fs::exists(person.configs().parent_path() / "x.cc"));
        EXPECT_EQ(server.quit(), 0);
    }
    shelfServer again;
    const json nowhere = entryNamed(again.get("/api/shelf"), "nowhere.cc");
    EXPECT_EQ(nowhere["program"], json({{"name", "nowhere"}, {"path", argvPrint}, {"found", true}, {"chosen", true}}));
}

// The settings file is the person's only (0600), written whole; a damaged
// one is put aside with its bytes and a message, never lost.
TEST(shelf, SettingsArePrivateAndADamagedFileIsKeptAside) {
    if (onWindows) {
        GTEST_SKIP() << wineWaits;
    }
    personFolders person;
    const std::string key = "ccview:0123456789abcdef";
    {
        shelfServer server;
        EXPECT_EQ(server.get("/api/values?key=" + key)["known"], false);
        server.post("/api/values", {{"key", key}, {"values", {{"style", "posix"}}}});
        server.post("/api/values", {{"key", key}, {"values", 3}}, 400);
        server.post("/api/values", {{"key", "ccview:x"}, {"values", json::object()}}, 400);
        EXPECT_EQ(server.get("/api/values?key=" + key)["values"], json({{"style", "posix"}}));
        EXPECT_EQ(server.quit(), 0);
    }
    if (!onWindows) {
        EXPECT_EQ(fs::status(person.settings()).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
    }
    EXPECT_EQ(json::parse(fileBytes(person.settings()))["configs"][key]["values"]["style"], "posix");
    // No temporary file left (on Windows the configs folder is there too).
    for (const fs::directory_entry& e : fs::directory_iterator(person.settings().parent_path())) {
        if (e.is_regular_file()) {
            EXPECT_EQ(e.path().filename(), "settings.json");
        }
    }

    const std::string damaged = "{\"version\": 1, \"programs\": [";
    writeFile(person.settings(), damaged);
    shelfServer server;
    const std::string aside = utf8Of(person.settings()) + ".damaged-1";
    const std::string said = "the settings in " + utf8Of(person.settings()) + " were damaged; they are kept in " +
                             aside + ", and ccview starts with none";
    EXPECT_EQ(server.get("/api/shelf")["notice"], said);
    EXPECT_EQ(fileBytes(aside), damaged);
    EXPECT_EQ(server.get("/api/values?key=" + key)["known"], false);
    EXPECT_EQ(server.quit(), 0);
    EXPECT_NE(server.errors().find("ccview: " + said + "\n"), std::string::npos) << server.errors();
}

}  // namespace
