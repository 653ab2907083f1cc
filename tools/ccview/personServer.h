// One server per person: the shelf's server takes a lock in the person's
// runtime folder for as long as it runs, and writes there ccview.json, a
// file only this user can read, that names its launch file. A second start
// (the menu entry clicked twice, ccview run again) finds the lock taken, and
// opens that launch file in the browser instead of starting another server.
// The lock goes with its process however it ends, so a server that was
// killed leaves nothing that keeps the next start from serving.
#pragma once

#include <cstdint>
#include <string>

class personServer {
public:
    // Tries to become the person's server, with the lock in folder.
    explicit personServer(std::string folder);
    // Removes ccview.json and releases the lock, when they are this one's.
    ~personServer();
    personServer(const personServer&) = delete;
    personServer& operator=(const personServer&) = delete;

    // Whether this process is the person's server; when it is not, why is
    // empty when another process is, and says why nothing can tell otherwise.
    bool ours() const { return lock_ != -1; }
    const std::string& why() const { return why_; }

    // Says that the server listens: writes ccview.json with its port and
    // launch file. False, with why, when it cannot be written.
    bool listening(int port, const std::string& launchFile, std::string& why);

    // The running server's launch file, once it has said it listens (it may
    // be starting: waited for a few seconds). "" with why when none comes.
    std::string runningLaunchFile(std::string& why) const;

private:
    const std::string folder_;
    std::intptr_t lock_ = -1;
    std::string why_;
    bool wrote_ = false;
};
