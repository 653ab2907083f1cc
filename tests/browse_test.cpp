// Browse… in a served page: which names a file item's filter lets through,
// and one folder's listing with what it leaves out and why it cannot be read.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "browse.h"
#include "testSupport.h"
#include "utf8.h"

namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;
using testSupport::onWindows;

TEST(browse, FiltersAsTheDialogsTakeThem) {
    static const struct {
        const char* name;
        const char* patterns;
        bool matches;
    } cases[] = {
        {"notes.txt", "*.txt", true},
        {"NOTES.TXT", "*.txt", true},
        {"notes.txt.bak", "*.txt", false},
        {"notes.log", "*.txt;*.log", true},
        {"notes.log", ";;*.log;", true},
        {"notes", "*.*", true},
        {"notes", "", true},
        {"notes", ";", true},
        {"notes", "*.txt", false},
        {"a1.cc", "a?.cc", true},
        {"a.cc", "a?.cc", false},
        {"abcabd", "*ab?", true},
        {"abcab", "*ab?", false},
        {"x", "**", true},
        {"", "*", true},
        {"", "?", false},
    };
    for (const auto& t : cases)
        EXPECT_EQ(matchesFilter(t.name, t.patterns), t.matches) << t.name << " against " << t.patterns;
}

TEST(browse, ListsAFolderFoldersFirstLeavingOutWhatNoOneShouldPick) {
    testSupport::scratchFolder dir;
    const fs::path root = dir.path() / "root";
    fs::create_directories(root / "b folder");
    fs::create_directories(root / "a folder");
    fs::create_directories(root / ".hidden folder");
    for (const char* name : {"z.txt", "m.log", "c.TXT", ".hidden.txt", "other.bin"})
        testSupport::writeFile(root / name, "");
#ifndef _WIN32
    testSupport::writeFile(root / "bad\xff.txt", "");  // not UTF-8: no path for the page
#endif
    const std::string base = utf8Of(dir.path());
    const struct {
        std::string folder;
        bool foldersOnly;
        const char* patterns;
        std::vector<std::string> names;  // folders end in '/'
        bool showHidden = false;
    } cases[] = {
        {"root", false, "*.txt", {"a folder/", "b folder/", "c.TXT", "z.txt"}},
        {utf8Of(root), false, "*.txt;*.log", {"a folder/", "b folder/", "c.TXT", "m.log", "z.txt"}},
        {"root", false, "*.*", {"a folder/", "b folder/", "c.TXT", "m.log", "other.bin", "z.txt"}},
        {"root", true, "*.*", {"a folder/", "b folder/"}},
        {"root/a folder/..", false, "*.bin", {"a folder/", "b folder/", "other.bin"}},
        {"root/a folder", false, "", {}},
        // Hidden entries only when the person asks for them.
        {"root", false, "*.txt", {".hidden folder/", "a folder/", "b folder/", ".hidden.txt", "c.TXT", "z.txt"}, true},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.folder);
        std::string why;
        const json listing = folderListing(t.folder, base, t.foldersOnly, t.patterns, t.showHidden, why);
        ASSERT_TRUE(listing.is_object()) << why;
        std::vector<std::string> names;
        for (const json& e : listing["entries"]) names.push_back(e["name"].get<std::string>() + (e["folder"] ? "/" : ""));
        EXPECT_EQ(names, t.names);
        const fs::path folder = pathOfUtf8(listing["folder"].get<std::string>());
        EXPECT_TRUE(fs::equivalent(folder, t.folder == "root/a folder" ? root / "a folder" : root));
        EXPECT_EQ(pathOfUtf8(listing["parent"].get<std::string>()), folder.parent_path());
    }

    // The top of the file system has no parent; a folder that is not there,
    // or a file, has no listing, and says why.
    std::string why;
    const json top = folderListing(utf8Of(root.root_path()), base, true, "", false, why);
    ASSERT_TRUE(top.is_object()) << why;
    EXPECT_TRUE(top["parent"].is_null());
    const struct {
        const char* folder;
        std::errc reason;
    } notFolders[] = {{"missing", std::errc::no_such_file_or_directory}, {"root/z.txt", std::errc::not_a_directory}};
    for (const auto& t : notFolders) {
        why.clear();
        EXPECT_TRUE(folderListing(t.folder, base, false, "", false, why).is_null()) << t.folder;
        // Windows says it in its own words.
        EXPECT_TRUE(onWindows ? !why.empty() : why == std::make_error_code(t.reason).message()) << why;
    }
}

}  // namespace
