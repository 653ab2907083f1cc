#include "helpRun.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "draft.h"

namespace {

// How long output is still read after the program ended, from what it left behind.
constexpr std::chrono::seconds outputGrace{1};

}  // namespace

helpRun runForHelp(const std::vector<std::string>& argv, const helpRunLimits& limits) {
    helpRun run;
    const std::unique_ptr<childProcess> child = childProcess::start(argv, std::string(), run.why);
    if (!child) return run;
    run.started = true;

    std::mutex lock;
    std::condition_variable changed;
    bool ended = false;
    int readers = 2;
    std::size_t kept = 0;
    const auto read = [&](childProcess::stream which, std::string& into) {
        std::string buffer(std::size_t{64} * 1024, '\0');
        for (;;) {
            const std::size_t got = child->read(which, buffer.data(), buffer.size());
            if (got == 0) break;
            std::lock_guard<std::mutex> hold(lock);
            const std::size_t room = limits.bytes - kept;
            into.append(buffer.data(), std::min(got, room));
            kept += std::min(got, room);
            if (got > room && !run.cut) {
                run.cut = true;
                child->endNow();
            }
        }
        std::lock_guard<std::mutex> hold(lock);
        --readers;
        changed.notify_all();
    };
    std::thread out(read, childProcess::stream::out, std::ref(run.out));
    std::thread err(read, childProcess::stream::err, std::ref(run.err));
    std::thread timer([&] {
        std::unique_lock<std::mutex> hold(lock);
        if (!changed.wait_for(hold, limits.time, [&] { return ended; })) {
            run.timedOut = true;
            child->endNow();
        }
    });
    const processOutcome outcome = child->wait();
    bool held = false;
    {
        std::unique_lock<std::mutex> hold(lock);
        ended = true;
        changed.notify_all();
        held = !changed.wait_for(hold, outputGrace, [&] { return readers == 0; });
    }
    if (held) child->abandonOutput();
    timer.join();
    out.join();
    err.join();
    run.outcome = outcome;
    return run;
}

const std::string& helpTextOf(const helpRun& run) { return optionsIn(run.err) > optionsIn(run.out) ? run.err : run.out; }

std::string whyNoHelp(const helpRun& run, const std::string& shown, const helpRunLimits& limits) {
    if (optionsIn(helpTextOf(run)) > 0) return {};
    if (run.timedOut)
        return shown + " did not end within " +
               std::to_string(std::chrono::duration_cast<std::chrono::seconds>(limits.time).count()) +
               " s and printed no options; it was ended";
    std::string how;
    if (run.outcome.signalled) how = ", and ended by " + signalName(run.outcome.code);
    else if (run.outcome.code != 0) how = ", and ended with status " + std::to_string(run.outcome.code);
    return shown + " printed no options" + how;
}
