#include "idleWatch.h"

#include <utility>

idleWatch::idleWatch(int minutes, std::function<bool()> busy) : minutes_(minutes), busy_(std::move(busy)) {}

void idleWatch::connected() {
    std::lock_guard<std::mutex> hold(lock_);
    ++pages_;
    changed_.notify_all();
}

void idleWatch::disconnected() {
    std::lock_guard<std::mutex> hold(lock_);
    --pages_;
    since_ = std::chrono::steady_clock::now();
    changed_.notify_all();
}

void idleWatch::waitForEnd() {
    std::unique_lock<std::mutex> hold(lock_);
    while (!ended_) {
        if (minutes_ == 0 || pages_ > 0) {
            changed_.wait(hold);
            continue;
        }
        if (busy_()) {
            since_ = std::chrono::steady_clock::now();
            changed_.wait_for(hold, std::chrono::seconds(1));
            continue;
        }
        const auto deadline = since_ + std::chrono::minutes(minutes_);
        if (changed_.wait_until(hold, deadline) == std::cv_status::timeout && pages_ == 0 &&
            std::chrono::steady_clock::now() >= since_ + std::chrono::minutes(minutes_)) {
            idled_ = true;
            break;
        }
    }
}

void idleWatch::stop() {
    std::lock_guard<std::mutex> hold(lock_);
    ended_ = true;
    changed_.notify_all();
}

void idleWatch::waitForNoPages(std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait_for(hold, wait, [this] { return pages_ == 0; });
}

bool idleWatch::idled() {
    std::lock_guard<std::mutex> hold(lock_);
    return idled_;
}
