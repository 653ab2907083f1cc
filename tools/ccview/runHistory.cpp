#include "runHistory.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <filesystem>
#include <iostream>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

#include "files.h"
#include "runOutput.h"
#include "utf8.h"

using json = nlohmann::json;
namespace fs = std::filesystem;

namespace {

std::string dumped(const json& j) { return j.dump(-1, ' ', false, json::error_handler_t::replace); }

fs::path historyFile(const std::string& folder) { return pathOfUtf8(folder) / "history.json"; }

// A record too large to keep whole (a form of many steps, a huge word)
// keeps what identifies the run: Run again is then not offered.
constexpr std::size_t maxRecordBytes = std::size_t{256} * 1024;

}  // namespace

std::string configKey(std::uint64_t hash) {
    static const char digits[] = "0123456789abcdef";
    std::string key(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) key[static_cast<std::size_t>(i)] = digits[hash & 15];
    return key;
}

runHistory::runHistory(std::string folder, std::string root, std::size_t keep, std::uint64_t totalBytes)
    : folder_(std::move(folder)), root_(std::move(root)), keep_(keep), totalBytes_(totalBytes) {}

std::string runHistory::newId(std::int64_t startMs) {
    using namespace std::chrono;
    const sys_time<milliseconds> at{milliseconds{startMs}};
    const sys_days day = floor<days>(at);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> time{at - day};
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02u%02u-%02d%02d%02d-%03d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()), static_cast<int>(time.subseconds().count()));
    const std::string base = text;
    std::lock_guard<std::mutex> hold(lock_);
    const json runs = read();
    for (int n = 1;; ++n) {
        std::string id = n == 1 ? base : base + "-" + std::to_string(n);
        const bool taken = std::any_of(runs.begin(), runs.end(), [&](const json& r) { return r.value("id", "") == id; });
        std::error_code error;
        if (!taken && !fs::exists(pathOfUtf8(folder_) / pathOfUtf8(id + ".idx"), error)) return id;
    }
}

json runHistory::read() {
    const json runs = json::parse(std::ifstream(historyFile(folder_), std::ios::binary), nullptr, false);
    if (!runs.is_array()) return json::array();
    json kept = json::array();
    for (const json& r : runs)
        if (r.is_object() && r.contains("id") && r["id"].is_string() && r.contains("start")) kept.push_back(r);
    return kept;
}

bool runHistory::write(const json& runs, std::string& why) {
    std::error_code error;
    fs::create_directories(pathOfUtf8(folder_), error);
    // A file that is no list of runs (damaged, or edited into something
    // else) is never overwritten unseen: it is kept aside, under the first
    // free name history.json.damaged-N.
    const fs::path file = historyFile(folder_);
    if (fs::exists(file, error) &&
        !json::parse(std::ifstream(file, std::ios::binary), nullptr, false).is_array()) {
        for (int n = 1;; ++n) {
            const fs::path aside = pathOfUtf8(utf8Of(file) + ".damaged-" + std::to_string(n));
            if (fs::exists(aside, error)) continue;
            fs::rename(file, aside, error);
            if (error) {
                why = "cannot keep the damaged " + utf8Of(file) + " aside: " + error.message();
                return false;
            }
            std::cerr << "ccview: the run history in " << utf8Of(file) << " was damaged; it is kept in "
                      << utf8Of(aside) << ", and a new one begins" << std::endl;
            break;
        }
    }
    if (!replaceFile(systemTextOfUtf8(utf8Of(historyFile(folder_))), dumped(runs) + "\n", error)) {
        why = "cannot write " + utf8Of(historyFile(folder_)) + ": " + error.message();
        return false;
    }
    return true;
}

bool runHistory::begin(const json& run, std::string& why) {
    json record = run;
    if (dumped(record).size() > maxRecordBytes) record.erase("form");
    std::lock_guard<std::mutex> hold(lock_);
    json runs = read();
    runs.push_back(std::move(record));
    std::stable_sort(runs.begin(), runs.end(),
                     [](const json& a, const json& b) { return a.value("start", 0LL) < b.value("start", 0LL); });
    while (runs.size() > keep_) {
        removeRunOutput(folder_, runs[0].value("id", ""));
        runs.erase(runs.begin());
    }
    return write(runs, why);
}

void runHistory::end(const json& run) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        json runs = read();
        for (json& r : runs) {
            if (r["id"] != run["id"]) continue;
            for (const auto& [field, value] : run.items()) r[field] = value;
            if (dumped(r).size() > maxRecordBytes) r.erase("form");
        }
        std::string ignored;
        write(runs, ignored);
    }
    boundTotal(run.value("id", ""));
}

void runHistory::boundTotal(const std::string& spare) {
    // Every config's run outputs: a run is its files, "ID.*" but history.json.
    struct kept {
        fs::file_time_type when;
        std::uint64_t bytes = 0;
        std::string folder;
    };
    std::map<std::pair<std::string, std::string>, kept> runs;
    std::uint64_t total = 0;
    std::error_code error;
    for (const fs::directory_entry& config : fs::directory_iterator(pathOfUtf8(root_), error)) {
        std::error_code inner;
        if (!config.is_directory(inner)) continue;
        for (const fs::directory_entry& file : fs::directory_iterator(config.path(), inner)) {
            const std::string name = utf8Of(file.path().filename());
            const std::size_t dot = name.find('.');
            // (the history, and a damaged one kept aside, are no run's)
            if (dot == 0 || dot == std::string::npos || name.rfind("history.json", 0) == 0) continue;
            std::error_code e;
            const std::uint64_t size = file.file_size(e);
            if (e) continue;
            kept& k = runs[{utf8Of(config.path()), name.substr(0, dot)}];
            k.folder = utf8Of(config.path());
            k.bytes += size;
            const fs::file_time_type when = file.last_write_time(e);
            if (!e && (k.bytes == size || when > k.when)) k.when = when;
            total += size;
        }
    }
    std::vector<std::pair<fs::file_time_type, std::pair<std::string, std::string>>> oldest;
    oldest.reserve(runs.size());
    for (const auto& [key, k] : runs) oldest.push_back({k.when, key});
    std::sort(oldest.begin(), oldest.end());
    for (const auto& [when, key] : oldest) {
        if (total <= totalBytes_) break;
        if (key.second == spare && key.first == utf8Of(pathOfUtf8(folder_))) continue;
        removeRunOutput(key.first, key.second);
        total -= runs[key].bytes;
    }
}

json runHistory::list(const std::string& running) {
    json runs;
    {
        std::lock_guard<std::mutex> hold(lock_);
        runs = read();
    }
    json out = json::array();
    for (auto r = runs.rbegin(); r != runs.rend(); ++r) {
        json record = *r;
        const std::string id = record.value("id", "");
        if (!record.contains("outcome") && id != running) record["outcome"] = "lost";
        std::uint64_t first = 0;
        std::uint64_t bytes = 0;
        std::error_code error;
        for (const std::string& file : runOutputFiles(folder_, id, first))
            bytes += static_cast<std::uint64_t>(fs::file_size(pathOfUtf8(file), error));
        record["kept"] = bytes;
        out.push_back(std::move(record));
    }
    return out;
}

json runHistory::find(const std::string& id) {
    std::lock_guard<std::mutex> hold(lock_);
    for (const json& r : read())
        if (r.value("id", "") == id) return r;
    return nullptr;
}
