// ccview with no config: the shelf's server, the real process driven over
// HTTP as its page drives it. Each test gives the server folders of its own
// (the XDG variables; the application data folders on Windows), as a
// person's account would.
#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <memory>
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
    explicit shelfServer(const std::vector<std::string>& words = {}, const fs::path& folder = {})
        : ccviewProcess(withNoBrowser(words), folder) {}

    // What the server answers a request of its page.
    json get(const std::string& path, int expected = 200) {
        return checked(client().Get(path, page()), expected);
    }
    json post(const std::string& path, const json& body, int expected = 200) { return post(path, body.dump(), expected); }
    json post(const std::string& path, const std::string& body, int expected = 200) {
        return checked(client().Post(path, page(), body, "application/json"), expected);
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

// A form made for a program from its help: each request as the page sends
// it, and what the server answers and leaves in the person's folder. A
// program found in PATH is not remembered; nothing is written before the
// draft compiled, nor over a file without "replace".
TEST(shelf, MakesAFormForAProgram) {
    if (onWindows) {
        GTEST_SKIP() << wineWaits;
    }
    personFolders person;
    testSupport::setVariable("PATH", utf8Of(pathOfUtf8(SERVE_TOOL).parent_path()));
    const std::string help = "out:Usage: serve_tool [OPTION]... FILE\nShow a file.\n\n"
                             "  -n, --number        number the lines\n  -o, --output=FILE   write to FILE\n";
    const fs::path script = person.configs() / "serve_tool.sc", config = person.configs() / "serve_tool.cc";
    const std::string tool = SERVE_TOOL, folder = person.path().string();
    const std::string expected = "expected {\"program\": a name or a path, \"args\": [words], \"replace\": true or false}";
    const struct {
        const char* what;
        json body;
        int status;
        std::string error;
    } cases[] = {
        {"not an object", json::array(), 400, expected},
        {"no program", json::object(), 400, expected},
        {"a program that is no text", {{"program", 3}}, 400, expected},
        {"words that are no list", {{"program", "serve_tool"}, {"args", "--help"}}, 400, expected},
        {"a word that is no text", {{"program", "serve_tool"}, {"args", {1}}}, 400, expected},
        {"a word with a NUL", {{"program", "serve_tool"}, {"args", {std::string("a\0b", 3)}}}, 400, expected},
        {"replace, not a yes or no", {{"program", "serve_tool"}, {"replace", "yes"}}, 400, expected},
        {"not in PATH", {{"program", "no-such-tool"}}, 404,
         "No program named \"no-such-tool\" was found in the folders of PATH"},
        {"a relative path", {{"program", "tests/serve_tool"}}, 404,
         "tests/serve_tool is not a full path: name the program, or choose it with Browse…"},
        {"a folder", {{"program", folder}}, 404, folder + " is not a program you may run"},
        {"no options", {{"program", "serve_tool"}, {"args", {"out:hello"}}}, 422,
         "\"serve_tool out:hello\" printed no options: there is nothing to make a form of"},
        {"no options, a status", {{"program", tool}, {"args", {"exit:4"}}}, 422,
         "\"serve_tool exit:4\" printed no options, and ended with status 4: there is nothing to make a form of"},
        {"no options, a signal", {{"program", "serve_tool"}, {"args", {"abort"}}}, 422,
         "\"serve_tool abort\" printed no options, and ended by SIGABRT: there is nothing to make a form of"},
    };
    shelfServer server;
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        EXPECT_EQ(server.post("/api/shelf/make", t.body, t.status)["error"], t.error);
        EXPECT_FALSE(fs::exists(person.configs()) && !fs::is_empty(person.configs()));
    }
    // Made: the script and its config, which it compiles to; listed, its
    // program found by its name.
    const json made = server.post("/api/shelf/make", {{"program", "serve_tool"}, {"args", {help}}});
    EXPECT_EQ(made["name"], "serve_tool.cc");
    EXPECT_EQ(testSupport::compiled(fileBytes(script)), fileBytes(config));
    EXPECT_NE(fileBytes(script).find("number the lines"), std::string::npos);
    const json entry = entryNamed(server.get("/api/shelf"), "serve_tool.cc");
    EXPECT_EQ(entry["id"], made["id"]);
    EXPECT_EQ(entry["program"], json({{"name", "serve_tool"}, {"path", SERVE_TOOL}, {"found", true}, {"chosen", false}}));
    // Again: the names are taken; with "replace", written over.
    writeFile(script, "edited\n");
    const json taken = server.post("/api/shelf/make", {{"program", tool}, {"args", {help}}}, 409);
    EXPECT_EQ(taken, json({{"error", "serve_tool.sc and serve_tool.cc are in your configs folder already"},
                           {"exists", {"serve_tool.sc", "serve_tool.cc"}}}));
    EXPECT_EQ(fileBytes(script), "edited\n");
    EXPECT_EQ(server.post("/api/shelf/make", {{"program", tool}, {"args", {help}}, {"replace", true}})["id"], made["id"]);
    EXPECT_EQ(testSupport::compiled(fileBytes(script)), fileBytes(config));
    EXPECT_FALSE(fs::exists(person.settings()) && fileBytes(person.settings()).find("serve_tool.cc") != std::string::npos);
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(person.configs())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"serve_tool.cc", "serve_tool.sc"}));
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

// Without a config folder of their own, the settings are kept nowhere: not
// in the folder ccview was started in, where a settings.json may be another
// program's. Changes are refused with the reason, and the shelf's notice says
// why; the rest of the shelf works.
TEST(shelf, SettingsWithoutTheirFolderAreKeptNowhereElse) {
    if (onWindows) {
        GTEST_SKIP() << wineWaits;
    }
    personFolders person;
    fs::remove_all(person.path() / "config");
    writeFile(person.path() / "config", "a file where the config folder would be");
    const fs::path work = person.path() / "work";
    fs::create_directory(work);
    const std::string theirs = "{\"editor.tabSize\": 2}\n";
    writeFile(work / "settings.json", theirs);

    shelfServer server({}, work);
    const std::string notice =
        "settings cannot be kept: " + (person.path() / "config" / "tarvelkin").string() + ": cannot be made: Not a directory";
    EXPECT_EQ(server.get("/api/shelf")["notice"], notice);
    const json refused = {{"error", "the settings cannot be kept: there is no folder for them"}};
    const std::string key = "ccview:0123456789abcdef";
    EXPECT_EQ(server.post("/api/values", {{"key", key}, {"values", {{"style", "posix"}}}}, 400), refused);
    EXPECT_EQ(server.get("/api/values?key=" + key)["known"], false);
    const json added = server.post("/api/shelf/add", {{"name", "mine.cc"}, {"bytes", base64Of(exampleConfig())}});
    EXPECT_EQ(server.post("/api/shelf/program", {{"id", added["id"]}, {"path", SERVE_TOOL}}, 409), refused);
    EXPECT_EQ(server.end(), 0);
    EXPECT_NE(server.errors().find("ccview: " + notice + "\n"), std::string::npos) << server.errors();

    // The folder it was started in holds no settings but its own, as they were.
    EXPECT_EQ(fileBytes(work / "settings.json"), theirs);
    for (const fs::directory_entry& e : fs::directory_iterator(work))
        EXPECT_TRUE(e.path().filename() == "settings.json" || e.path().filename().string().rfind("settings", 0) != 0)
            << e.path();
}

// The shelf's answers to requests that are not as its routes take them:
// bodies that are no JSON, bytes that are no base64 or no config, names that
// are no config's file name, ids of nothing, programs that are none, folders
// that cannot be listed. Each is refused with its status and what the page
// shows, and the shelf is as it was.
TEST(shelf, RefusesWhatItCannotTakeAndSaysWhy) {
    if (onWindows) {
        GTEST_SKIP() << wineWaits;
    }
    personFolders person;
    fs::create_directories(person.configs());
    writeFile(person.configs() / "serve_tool.cc", exampleConfig());
    testSupport::setVariable("PATH", utf8Of(pathOfUtf8(SERVE_TOOL).parent_path()));
    const fs::path work = person.path() / "work";
    fs::create_directories(work / "sub");
    writeFile(work / "notes.txt", "x");
    shelfServer server({"--cwd", work.string()});
    const json before = server.get("/api/shelf");
    const std::string id = entryNamed(before, "serve_tool.cc")["id"];
    const std::string config = base64Of(exampleConfig());
    const std::string noBase64 = R"({"error":"bytes must be base64"})";
    const std::string noSuch = R"({"error":"no such config on the shelf"})";
    const auto listing = [](const fs::path& folder, const json& entries) {
        return json{{"folder", folder.string()}, {"parent", folder.parent_path().string()}, {"separator", "/"},
                    {"entries", entries}}.dump();
    };
    const struct {
        const char* what;
        std::string method, path, body;
        int status;
        std::string answer;  // empty: the system's words
    } cases[] = {
        {"adding from no JSON", "POST", "/api/shelf/add", "a.cc", 409, R"j({"error":"\"\" is not a config's file name (NAME.cc)"})j"},
        {"bytes of a length no base64 has", "POST", "/api/shelf/add", json{{"name", "a.cc"}, {"bytes", "QUJD="}}.dump(), 400, noBase64},
        {"bytes with padding inside", "POST", "/api/shelf/add", json{{"name", "a.cc"}, {"bytes", "QU=D"}}.dump(), 400, noBase64},
        {"bytes with three paddings", "POST", "/api/shelf/add", json{{"name", "a.cc"}, {"bytes", "Q==="}}.dump(), 400, noBase64},
        {"bytes that are no base64 digits", "POST", "/api/shelf/add", json{{"name", "a.cc"}, {"bytes", "QU*D"}}.dump(), 400, noBase64},
        {"bytes that are no config", "POST", "/api/shelf/add", json{{"name", "a.cc"}, {"bytes", "QUJD"}}.dump(), 409,
         R"j({"error":"a.cc is not a config ccview can read: offset 0: signature byte is 0x41, expected 0x63 (the signature is \"cnf v.\")"})j"},
        {"a name in a folder", "POST", "/api/shelf/add", json{{"name", "sub/a.cc"}, {"bytes", config}}.dump(), 409,
         R"j({"error":"\"sub/a.cc\" is not a config's file name (NAME.cc)"})j"},
        {"a name of its extension alone", "POST", "/api/shelf/add", json{{"name", ".cc"}, {"bytes", config}}.dump(), 409,
         R"j({"error":"\".cc\" is not a config's file name (NAME.cc)"})j"},
        {"a name too long for a file", "POST", "/api/shelf/add", json{{"name", std::string(253, 'n') + ".cc"}, {"bytes", config}}.dump(),
         409, json{{"error", "\"" + std::string(253, 'n') + ".cc\" is not a config's file name (NAME.cc)"}}.dump()},
        {"a name that is no text", "POST", "/api/shelf/add", json{{"name", 5}, {"bytes", config}}.dump(), 409,
         R"j({"error":"\"\" is not a config's file name (NAME.cc)"})j"},
        {"removing from no JSON", "POST", "/api/shelf/remove", "[]", 409, noSuch},
        {"removing what is not on the shelf", "POST", "/api/shelf/remove", R"({"id":"0123456789abcdef"})", 409, noSuch},
        {"a program for what is not on the shelf", "POST", "/api/shelf/program",
         json{{"id", "0123456789abcdef"}, {"path", SERVE_TOOL}}.dump(), 409, noSuch},
        {"a program by its bare name", "POST", "/api/shelf/program", json{{"id", id}, {"path", "serve_tool"}}.dump(), 409,
         R"({"error":"serve_tool is not a program you may run"})"},
        {"no program", "POST", "/api/shelf/program", json{{"id", id}}.dump(), 409, R"({"error":"no program was chosen"})"},
        {"browsing the working folder", "GET", "/api/shelf/browse", "", 200,
         listing(work, {{{"name", "sub"}, {"folder", true}}, {{"name", "notes.txt"}, {"folder", false}}})},
        {"browsing for what is not on the shelf: the working folder", "GET", "/api/shelf/browse?id=0123456789abcdef", "", 200,
         listing(work, {{{"name", "sub"}, {"folder", true}}, {{"name", "notes.txt"}, {"folder", false}}})},
        {"browsing a folder that is none", "GET", "/api/shelf/browse?folder=nowhere", "", 404, ""},
        {"browsing a file", "GET", "/api/shelf/browse?folder=notes.txt&hidden=1", "", 404, ""},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        const json answer = t.method == "GET" ? server.get(t.path, t.status) : server.post(t.path, t.body, t.status);
        if (!t.answer.empty()) {
            EXPECT_EQ(answer.dump(), t.answer);
        }
    }
    // The program's own folder, where it is found.
    const std::string tools = pathOfUtf8(SERVE_TOOL).parent_path().string();
    EXPECT_EQ(server.get("/api/shelf/browse?id=" + id)["folder"], tools);
    EXPECT_EQ(server.get("/api/shelf"), before);
    EXPECT_EQ(server.end(), 0);
}

}  // namespace
