// Counts the pages connected to a server's event stream, and ends the
// server when none has been, and no run has gone on, for the idle time.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

class idleWatch {
public:
    // minutes 0: never idle. busy says whether a run goes on, which is no
    // idle time whether a page watches or not.
    idleWatch(int minutes, std::function<bool()> busy);

    void connected();
    void disconnected();
    // Blocks until stop() or, with an idle time, until no page was connected
    // for that long.
    void waitForEnd();
    void stop();
    // Waits up to wait for every page's event stream to end.
    void waitForNoPages(std::chrono::milliseconds wait);
    // Whether waitForEnd ended for the idle time.
    bool idled();

private:
    const int minutes_;
    const std::function<bool()> busy_;
    std::mutex lock_;
    std::condition_variable changed_;
    int pages_ = 0;
    bool ended_ = false;
    bool idled_ = false;
    std::chrono::steady_clock::time_point since_ = std::chrono::steady_clock::now();
};
