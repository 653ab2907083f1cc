#include "host.h"

#include <mutex>
#include <utility>

#include "hostShared.h"

namespace {

std::function<void()>& stopCall() {
    static std::function<void()> call;
    return call;
}

}  // namespace

void setStopCall(std::function<void()> stop) { stopCall() = std::move(stop); }

void callStopOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (stopCall()) stopCall()();
    });
}
