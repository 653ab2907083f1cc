// The configs a server serves, each with its page, its program and its runs:
// one config with its program fixed on the command line, or every config of
// a shelf, each read when a page asks for it and run with the program the
// shelf finds for it.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "cnfReader.h"
#include "runHistory.h"
#include "runner.h"
#include "shelf.h"

struct servedConfig {
    std::string id;    // the shelf's id; "" for the one config of a server
    std::string name;  // the config's file name, shown on the page
    std::string bytes;  // the config's file, as read
    cnfConfig config;
    std::string page;                  // its served page
    std::vector<std::string> program;  // the program and its fixed arguments
    // Why there is no program to run ("" when there is one): the page says
    // so before anything is filled in, and Run stays off.
    std::string missing;
    // Its kept runs, in the person's state folder by the config's content;
    // null when there is no state folder. Before run, which writes to it.
    std::shared_ptr<runHistory> history;
    std::shared_ptr<runner> run;
};

class servedConfigs {
public:
    // The one config of a server, its program fixed.
    servedConfigs(std::string name, cnfConfig config, std::vector<std::string> program, std::string cwd);
    // The configs of a shelf, run in cwd.
    servedConfigs(shelf& configs, std::string cwd);
    ~servedConfigs();
    servedConfigs(const servedConfigs&) = delete;
    servedConfigs& operator=(const servedConfigs&) = delete;

    bool isShelf() const { return shelf_ != nullptr; }
    shelf* shelfOf() const { return shelf_; }
    const std::string& cwd() const { return cwd_; }

    // The config with this id (any id for the one config of a server), read
    // again when its file or its program has changed, unless it is running;
    // null when there is none (with why).
    std::shared_ptr<servedConfig> find(const std::string& id, std::string& why);

    // A new reader of one config's runs, which takes the place of every
    // other page's, of any config: one page at a time is served, so that
    // tabs never hold every connection a browser allows.
    std::uint64_t newReader(servedConfig& config);

    bool running();
    // Stops every run, as Stop does, and ends every runner; true when a run
    // was going on.
    bool shutDown();

private:
    std::shared_ptr<servedConfig> make(const shelfEntry& entry, std::string bytes, std::string& why);

    shelf* shelf_ = nullptr;
    const std::string cwd_;
    std::mutex lock_;
    std::map<std::string, std::shared_ptr<servedConfig>> configs_;  // by id
};
