#include "servedConfigs.h"

#include <iostream>
#include <utility>

#include "ccviewPage.h"
#include "serve.h"
#include "serveApi.h"
#include "userFolders.h"
#include "utf8.h"

namespace {

// The kept runs of a config, in the person's state folder; null, said,
// when there is none.
std::shared_ptr<runHistory> historyOf(const cnfConfig& config) {
    const std::string state = userFolderPath(userFolder::state);
    if (state.empty()) {
        std::cerr << "ccview: no state folder (neither XDG_STATE_HOME nor HOME is set): runs are not kept" << std::endl;
        return nullptr;
    }
    const std::string root = utf8Of(pathOfUtf8(state) / "ccview");
    return std::make_shared<runHistory>(utf8Of(pathOfUtf8(root) / configKey(configHash(config))), root,
                                        historyRuns, totalKeptBytes);
}

}  // namespace

servedConfigs::servedConfigs(std::string name, cnfConfig config, std::vector<std::string> program, std::string cwd)
    : cwd_(std::move(cwd)) {
    auto one = std::make_shared<servedConfig>();
    one->name = std::move(name);
    one->config = std::move(config);
    one->page = servedPage(one->config, one->name);
    one->program = std::move(program);
    one->history = historyOf(one->config);
    one->run = std::make_shared<runner>(one->program, cwd_, keptOutputBytes, stopGrace, one->history.get());
    configs_.emplace("", std::move(one));
}

servedConfigs::servedConfigs(shelf& configs, std::string cwd) : shelf_(&configs), cwd_(std::move(cwd)) {}

servedConfigs::~servedConfigs() { shutDown(); }

std::shared_ptr<servedConfig> servedConfigs::make(const shelfEntry& entry, std::string bytes, std::string& why) {
    cnfReadResult r = readCnf(bytes);
    if (!r.ok()) {
        why = entry.name + ": " + r.message;
        return nullptr;
    }
    auto made = std::make_shared<servedConfig>();
    made->id = entry.id;
    made->name = entry.name;
    made->bytes = std::move(bytes);
    made->config = std::move(r.config);
    made->page = servedPage(made->config, made->name);
    if (entry.program.path.empty()) {
        made->program = {entry.program.name};
        made->missing = entry.program.chosen
                            ? "The program chosen for " + entry.name + " is not there any more: choose the program "
                                                                       "again on the shelf."
                            : "The program \"" + entry.program.name + "\" was not found: choose the program on the "
                                                                       "shelf.";
    } else {
        made->program = {entry.program.path};
    }
    made->history = historyOf(made->config);
    made->run = std::make_shared<runner>(made->program, cwd_, keptOutputBytes, stopGrace, made->history.get());
    return made;
}

std::shared_ptr<servedConfig> servedConfigs::find(const std::string& id, std::string& why) {
    if (shelf_ == nullptr) {
        std::lock_guard<std::mutex> hold(lock_);
        return configs_.begin()->second;
    }
    shelfEntry entry;
    if (!shelf_->find(id, entry)) {
        why = "no such config on the shelf (it was removed, or this page belongs to a ccview that has ended)";
        return nullptr;
    }
    std::lock_guard<std::mutex> hold(lock_);
    const auto at = configs_.find(id);
    std::shared_ptr<servedConfig> known = at == configs_.end() ? nullptr : at->second;
    // Read again for a new program, or a config changed on disk, but never
    // while it runs: the run goes on with what it started with.
    const std::string program = entry.program.path.empty() ? entry.program.name : entry.program.path;
    if (known && known->run->running()) return known;
    std::string bytes;
    if (!fileBytesOf(entry.path, bytes, why)) {
        why = entry.name + ": " + why;
        return nullptr;
    }
    if (known && known->program[0] == program && known->missing.empty() == !entry.program.path.empty() &&
        known->bytes == bytes)
        return known;
    std::shared_ptr<servedConfig> made = make(entry, std::move(bytes), why);
    if (!made) return nullptr;
    if (known) known->run->shutDown();
    configs_[id] = made;
    return made;
}

std::uint64_t servedConfigs::newReader(servedConfig& config) {
    std::lock_guard<std::mutex> hold(lock_);
    for (auto& [id, other] : configs_)
        if (other.get() != &config) other->run->newReader();
    return config.run->newReader();
}

bool servedConfigs::running() {
    std::lock_guard<std::mutex> hold(lock_);
    for (auto& [id, c] : configs_)
        if (c->run->running()) return true;
    return false;
}

bool servedConfigs::shutDown() {
    std::map<std::string, std::shared_ptr<servedConfig>> all;
    {
        std::lock_guard<std::mutex> hold(lock_);
        all = configs_;
    }
    bool stopped = false;
    for (auto& [id, c] : all) stopped = c->run->shutDown() || stopped;
    return stopped;
}
