#include "settings.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "host.h"
#include "utf8.h"

using json = nlohmann::json;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t maxPresets = 100;
constexpr std::size_t maxPresetName = 100;

constexpr const char* unreadable = "the settings file could not be read, so it is not changed";

json emptySettings() { return {{"version", 1}, {"programs", json::object()}, {"configs", json::object()}}; }

// Whether data is a settings document this server can keep.
bool wellFormed(const json& data) {
    if (!data.is_object() || data.value("version", json()) != 1) return false;
    const json programs = data.value("programs", json::object());
    const json configs = data.value("configs", json::object());
    if (!programs.is_object() || !configs.is_object()) return false;
    for (const auto& [config, program] : programs.items())
        if (!program.is_string()) return false;
    for (const auto& [key, kept] : configs.items())
        if (!kept.is_object()) return false;
    return true;
}

// Why presets cannot be kept, or "".
std::string presetsProblem(const json& presets) {
    if (!presets.is_array()) return "presets must be a list";
    if (presets.size() > maxPresets) return "at most " + std::to_string(maxPresets) + " presets";
    for (const json& p : presets) {
        if (!p.is_object() || !p.contains("name") || !p["name"].is_string() || !p.contains("form") ||
            !p["form"].is_object())
            return "a preset is {\"name\": text, \"form\": {...}}";
        if (p["name"].get_ref<const std::string&>().size() > 4 * maxPresetName) return "a preset's name is too long";
    }
    return {};
}

}  // namespace

settingsStore::settingsStore(std::string path, std::string& warning) : path_(std::move(path)), data_(emptySettings()) {
    warning.clear();
    if (path_.empty()) {
        refusal_ = "the settings cannot be kept: there is no folder for them";
        return;
    }
    const fs::path file = pathOfUtf8(path_);
    std::error_code error;
    if (!fs::exists(file, error)) return;
    std::string text;
    bool read = false;
    {
        // Closed before the file may be put aside: Windows renames no file
        // that is open.
        std::ifstream in(file, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        read = in.good() || in.eof();
    }
    if (!read) {
        refusal_ = unreadable;
        warning = "cannot read the settings in " + path_ + "; they are not changed while ccview runs";
        return;
    }
    json parsed = json::parse(text, nullptr, false);
    if (!parsed.is_discarded() && wellFormed(parsed)) {
        data_ = std::move(parsed);
        for (const char* part : {"programs", "configs"})
            if (!data_.contains(part)) data_[part] = json::object();
        return;
    }
    // Kept aside under the first free name, never lost.
    for (int n = 1;; ++n) {
        const fs::path aside = pathOfUtf8(path_ + ".damaged-" + std::to_string(n));
        if (fs::exists(aside, error)) continue;
        fs::rename(file, aside, error);
        if (error) {
            refusal_ = unreadable;
            warning = "the settings in " + path_ + " are damaged and cannot be put aside (" + error.message() +
                      "); ccview starts without them and does not change them";
        } else {
            warning = "the settings in " + path_ + " were damaged; they are kept in " + utf8Of(aside) +
                      ", and ccview starts with none";
        }
        return;
    }
}

bool settingsStore::isKey(const std::string& text) {
    if (text.size() != 23 || text.compare(0, 7, "ccview:") != 0) return false;
    return text.find_first_not_of("0123456789abcdef", 7) == std::string::npos;
}

std::string settingsStore::programFor(const std::string& config) const {
    std::lock_guard<std::mutex> hold(lock_);
    const json& programs = data_["programs"];
    const auto found = programs.find(config);
    return found == programs.end() ? std::string() : found->get<std::string>();
}

bool settingsStore::chooseProgram(const std::string& config, const std::string& program, std::string& why) {
    std::lock_guard<std::mutex> hold(lock_);
    json next = data_;
    next["programs"][config] = program;
    return write(next, why);
}

json settingsStore::valuesFor(const std::string& key) const {
    std::lock_guard<std::mutex> hold(lock_);
    const json& configs = data_["configs"];
    const auto found = configs.find(key);
    if (found == configs.end()) return {{"known", false}, {"values", nullptr}, {"presets", json::array()}};
    return {{"known", true},
            {"values", found->value("values", json())},
            {"presets", found->value("presets", json::array())}};
}

bool settingsStore::changeValues(const std::string& key, const json& change, std::string& why) {
    if (!isKey(key)) {
        why = "no such key";
        return false;
    }
    if (!change.is_object() || (!change.contains("values") && !change.contains("presets"))) {
        why = "expected {\"values\": ...} and/or {\"presets\": [...]}";
        return false;
    }
    if (change.contains("values") && !change["values"].is_object() && !change["values"].is_null()) {
        why = "values must be an object, or null";
        return false;
    }
    if (change.contains("presets") && !(why = presetsProblem(change["presets"])).empty()) return false;
    std::lock_guard<std::mutex> hold(lock_);
    json next = data_;
    json& kept = next["configs"][key];
    if (!kept.is_object()) kept = json::object();
    for (const char* part : {"values", "presets"})
        if (change.contains(part)) kept[part] = change[part];
    return write(next, why);
}

bool settingsStore::write(const json& next, std::string& why) {
    if (!refusal_.empty()) {
        why = refusal_;
        return false;
    }
    std::error_code error;
    fs::create_directories(pathOfUtf8(path_).parent_path(), error);
    if (!replacePrivateFile(path_, next.dump(1, '\t', false, json::error_handler_t::replace) + "\n", why))
        return false;
    data_ = next;
    return true;
}
