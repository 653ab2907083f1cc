#include "shelf.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "childProcess.h"
#include "cnfReader.h"
#include "host.h"
#include "requestCheck.h"
#include "utf8.h"

namespace fs = std::filesystem;

namespace {

bool isConfigName(const std::string& name) {
    if (name.size() < 4 || name[0] == '.') return false;
    std::string tail = name.substr(name.size() - 3);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return tail == ".cc";
}

}  // namespace

bool fileBytesOf(const std::string& path, std::string& bytes, std::string& why) {
    std::ifstream in(pathOfUtf8(path), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.is_open() && !in.bad()) return true;
    why = "cannot be read";
    return false;
}

programChoice programOf(const std::string& configPath, const settingsStore& settings) {
    programChoice out;
    const fs::path config = pathOfUtf8(configPath);
    out.name = utf8Of(config.stem());
    const std::string chosen = settings.programFor(configPath);
    out.chosen = !chosen.empty();
    out.path = programPath(out.chosen ? chosen : out.name, utf8Of(config.parent_path()));
    return out;
}

shelf::shelf(std::vector<shelfFolder> folders, settingsStore& settings)
    : folders_(std::move(folders)), settings_(settings) {}

std::string shelf::ownFolder() const {
    for (const shelfFolder& f : folders_)
        if (f.own) return f.path;
    return {};
}

std::string shelf::idOf(const std::string& path) {
    std::lock_guard<std::mutex> hold(lock_);
    auto [at, added] = ids_.emplace(path, std::string());
    if (added) {
        // A handle the pages' addresses hold for this server's life: not the
        // path, which another program on this computer could then guess.
        // (Numbered, should the system's random source fail.)
        at->second = randomHex(8);
        if (at->second.empty()) {
            const std::string number = std::to_string(ids_.size());
            at->second = std::string(16 - number.size(), '0') + number;
        }
    }
    return at->second;
}

shelfEntry shelf::read(const std::string& path, bool own) {
    shelfEntry e;
    e.path = path;
    e.name = utf8Of(pathOfUtf8(path).filename());
    e.own = own;
    e.id = idOf(path);
    std::string bytes;
    if (!fileBytesOf(path, bytes, e.refused)) return e;
    cnfReadResult r = readCnf(bytes);
    if (r.ok())
        e.headerItems = r.config.headerItems;
    else
        e.refused = r.message;
    e.program = programOf(path, settings_);
    return e;
}

std::vector<shelfEntry> shelf::entries() {
    std::vector<shelfEntry> out;
    for (const shelfFolder& folder : folders_) {
        std::vector<std::string> names;
        std::error_code error;
        for (fs::directory_iterator it(pathOfUtf8(folder.path), error), end; !error && it != end; it.increment(error)) {
            const std::string name = utf8Of(it->path().filename());
            std::error_code kind;
            if (isConfigName(name) && !it->is_directory(kind)) names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) out.push_back(read(utf8Of(pathOfUtf8(folder.path) / pathOfUtf8(name)), folder.own));
    }
    return out;
}

bool shelf::find(const std::string& id, shelfEntry& entry) {
    std::string path;
    {
        std::lock_guard<std::mutex> hold(lock_);
        for (const auto& [p, known] : ids_)
            if (known == id) path = p;
    }
    if (path.empty()) return false;
    std::error_code error;
    if (!fs::is_regular_file(pathOfUtf8(path), error)) return false;
    const fs::path folder = pathOfUtf8(path).parent_path();
    for (const shelfFolder& f : folders_) {
        if (pathOfUtf8(f.path) != folder) continue;
        entry = read(path, f.own);
        return true;
    }
    return false;
}

bool shelf::add(const std::string& name, const std::string& bytes, std::string& id, std::string& why) {
    const std::string own = ownFolder();
    if (own.empty()) {
        why = "this shelf has no folder of your own";
        return false;
    }
    if (!isConfigName(name) || name.find_first_of("/\\:") != std::string::npos || name.size() > 255) {
        why = "\"" + name + "\" is not a config's file name (NAME.cc)";
        return false;
    }
    const cnfReadResult r = readCnf(bytes);
    if (!r.ok()) {
        why = name + " is not a config ccview can read: " + r.message;
        return false;
    }
    const std::string path = utf8Of(pathOfUtf8(own) / pathOfUtf8(name));
    std::error_code error;
    if (fs::exists(pathOfUtf8(path), error)) {
        why = "a config named " + name + " is on the shelf already: remove it first";
        return false;
    }
    fs::create_directories(pathOfUtf8(own), error);
    if (!replacePrivateFile(path, bytes, why)) return false;
    id = idOf(path);
    return true;
}

std::vector<std::string> shelf::madeFilesOf(const std::string& name) const {
    std::vector<std::string> out;
    const std::string own = ownFolder();
    std::error_code error;
    for (const std::string& file : {name + ".sc", name + ".cc"})
        if (!own.empty() && fs::exists(pathOfUtf8(own) / pathOfUtf8(file), error)) out.push_back(file);
    return out;
}

bool shelf::keepMade(const std::string& name, const std::string& script, const std::string& config,
                     const std::string& program, bool replace, std::vector<std::string>& existing, std::string& id,
                     std::string& why) {
    const std::string own = ownFolder();
    if (own.empty()) {
        why = "this shelf has no folder of your own";
        return false;
    }
    const fs::path folder = pathOfUtf8(own);
    const std::string scriptPath = utf8Of(folder / pathOfUtf8(name + ".sc"));
    const std::string configPath = utf8Of(folder / pathOfUtf8(name + ".cc"));
    existing = madeFilesOf(name);
    if (!replace && !existing.empty()) {
        why = existing.front() + " is in your configs folder already";
        return false;
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (!replacePrivateFile(scriptPath, script, why) || !replacePrivateFile(configPath, config, why)) {
        why = name + ": cannot be written: " + why;
        return false;
    }
    if (programOf(configPath, settings_).path != program && !settings_.chooseProgram(configPath, program, why)) {
        why = "the program for " + name + ".cc cannot be remembered: " + why;
        return false;
    }
    id = idOf(configPath);
    return true;
}

bool shelf::remove(const std::string& id, std::string& why) {
    shelfEntry entry;
    if (!find(id, entry)) {
        why = "no such config on the shelf";
        return false;
    }
    if (!entry.own) {
        why = entry.name + " was installed with ccview: it cannot be removed";
        return false;
    }
    std::error_code error;
    if (!fs::remove(pathOfUtf8(entry.path), error)) {
        why = entry.name + " cannot be removed: " + (error ? error.message() : std::string("it is gone"));
        return false;
    }
    return true;
}

bool shelf::chooseProgram(const std::string& id, const std::string& program, std::string& why) {
    shelfEntry entry;
    if (!find(id, entry)) {
        why = "no such config on the shelf";
        return false;
    }
    const std::string found = program.empty() ? std::string() : programPath(program, {});
    if (found.empty() || !pathOfUtf8(program).is_absolute()) {
        why = program.empty() ? std::string("no program was chosen") : program + " is not a program you may run";
        return false;
    }
    return settings_.chooseProgram(entry.path, found, why);
}
