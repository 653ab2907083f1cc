#include "runner.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <utility>

#include "childProcess.h"

using json = nlohmann::json;

namespace {

// Output reaches the page as base64, so that bytes that are not UTF-8 arrive
// as they were, for the page to decode in the code page the person picks.
std::string base64(const char* data, std::size_t size) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((size + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < size; i += 3) {
        const unsigned v = static_cast<unsigned char>(data[i]) << 16 |
                           static_cast<unsigned char>(data[i + 1]) << 8 | static_cast<unsigned char>(data[i + 2]);
        for (int shift : {18, 12, 6, 0}) out += digits[(v >> shift) & 63];
    }
    if (i < size) {
        unsigned v = static_cast<unsigned char>(data[i]) << 16;
        if (i + 1 < size) v |= static_cast<unsigned char>(data[i + 1]) << 8;
        out += digits[(v >> 18) & 63];
        out += digits[(v >> 12) & 63];
        out += i + 1 < size ? digits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string dumped(const json& event) {
    return event.dump(-1, ' ', false, json::error_handler_t::replace);
}

// How long a tree whose program ended may still hold its output open (a
// process that left it) before that output is no longer read.
constexpr std::chrono::seconds outputGrace{2};

// How much of the log one call of eventsAfter hands over at most.
constexpr std::size_t maxSentBytes = std::size_t{256} * 1024;

// The most output bytes that later output joins in one event.
constexpr std::size_t maxJoinedBytes = std::size_t{64} * 1024;

// What an event of the log takes in memory besides its bytes: its entry in
// the log and what the allocator keeps with a string (a few bytes of output
// live in the string itself).
constexpr std::size_t eventCost = 64;

}  // namespace

runner::runner(std::vector<std::string> program, std::string cwd, std::size_t keptBytes,
               std::chrono::milliseconds grace)
    : program_(std::move(program)), cwd_(std::move(cwd)), keptBytes_(keptBytes), grace_(grace) {}

runner::~runner() { shutDown(); }

std::size_t runner::cost(const logged& e) { return eventCost + e.text.size(); }

void runner::push(std::string event) {
    log_.push_back({nextSeq_++, -1, std::move(event)});
    changed_.notify_all();
}

void runner::pushOutput(int stream, const char* data, std::size_t size) {
    logged* last = log_.empty() ? nullptr : &log_.back();
    if (last != nullptr && last->stream == stream && last->seq > handedOut_ &&
        last->text.size() + size <= maxJoinedBytes) {
        last->text.append(data, size);
        keptNow_ += size;
    } else {
        log_.push_back({nextSeq_++, stream, std::string(data, size)});
        keptNow_ += cost(log_.back());
    }
    trim();
    changed_.notify_all();
}

// The run's start, "stopping" and the end stay; the oldest output goes
// first, wherever it is.
void runner::trim() {
    auto oldest = log_.begin();
    while (keptNow_ > keptBytes_) {
        while (oldest != log_.end() && oldest->stream < 0) ++oldest;
        if (oldest == log_.end()) break;
        keptNow_ -= cost(*oldest);
        droppedBytes_ += oldest->text.size();
        oldest = log_.erase(oldest);
    }
}

bool runner::start(const std::vector<std::string>& words, std::string& refusal) {
    std::vector<std::string> argv = program_;
    argv.insert(argv.end(), words.begin(), words.end());
    std::lock_guard<std::mutex> oneAtATime(starting_);
    std::unique_lock<std::mutex> hold(lock_);
    if (ending_) {
        refusal = "The server is ending.";
        return false;
    }
    if (active_) {
        refusal = "A run is in progress: stop it, or wait for it to end, before running again.";
        return false;
    }
    // The last run's threads have ended or are about to: its end is logged.
    std::thread last = std::move(runThread_);
    hold.unlock();
    if (last.joinable()) last.join();
    hold.lock();

    ++runNumber_;
    log_.clear();
    keptNow_ = 0;
    droppedBytes_ = 0;
    firstOfRun_ = nextSeq_;
    push(dumped({{"type", "start"}, {"run", runNumber_}, {"argv", argv}, {"cwd", cwd_}}));
    const auto began = std::chrono::steady_clock::now();
    std::string why;
    std::shared_ptr<childProcess> child = childProcess::start(argv, cwd_, why);
    if (!child) {
        push(dumped({{"type", "end"}, {"run", runNumber_}, {"outcome", "failed"}, {"message", why}, {"ms", 0}}));
        return true;
    }
    active_ = true;
    stopping_ = false;
    childEnded_ = false;
    readersLeft_ = 2;
    child_ = child;
    runThread_ = std::thread(&runner::runThread, this, child, began);
    return true;
}

void runner::readThread(const std::shared_ptr<childProcess>& child, int stream) {
    const auto which = stream == 0 ? childProcess::stream::out : childProcess::stream::err;
    std::vector<char> buffer(maxJoinedBytes);
    for (;;) {
        const std::size_t got = child->read(which, buffer.data(), buffer.size());
        if (got == 0) break;
        std::lock_guard<std::mutex> hold(lock_);
        pushOutput(stream, buffer.data(), got);
    }
    std::lock_guard<std::mutex> hold(lock_);
    --readersLeft_;
    changed_.notify_all();
}

void runner::runThread(const std::shared_ptr<childProcess>& child, std::chrono::steady_clock::time_point began) {
    std::thread out(&runner::readThread, this, child, 0);
    std::thread err(&runner::readThread, this, child, 1);
    const processOutcome outcome = child->wait();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began);
    std::thread stopper;
    bool stopped = false;
    bool outputHeld = false;
    {
        std::unique_lock<std::mutex> hold(lock_);
        childEnded_ = true;
        stopped = stopping_;
        changed_.notify_all();
        stopper = std::move(stopThread_);
        outputHeld = !changed_.wait_for(hold, outputGrace, [this] { return readersLeft_ == 0; });
    }
    if (outputHeld) child->abandonOutput();
    out.join();
    err.join();
    if (stopper.joinable()) stopper.join();

    json end = {{"type", "end"}, {"run", runNumber_}, {"ms", ms.count()}};
    if (stopped) {
        end["outcome"] = "stopped";
    } else if (outcome.signalled) {
        end["outcome"] = "signal";
        end["signal"] = signalName(outcome.code);
    } else {
        end["outcome"] = "exit";
        end["code"] = outcome.code;
    }
    if (outputHeld)
        end["note"] = "A process the program started left its process group and still holds its output, "
                      "which is no longer read; that process was not ended.";
    std::lock_guard<std::mutex> hold(lock_);
    push(dumped(end));
    active_ = false;
    child_.reset();
}

bool runner::stop() {
    std::lock_guard<std::mutex> hold(lock_);
    if (!active_ || childEnded_) return false;
    if (stopping_) return true;
    stopping_ = true;
    push(dumped({{"type", "stopping"}, {"run", runNumber_}}));
    std::shared_ptr<childProcess> child = child_;
    child->askToEnd();
    stopThread_ = std::thread([this, child] {
        std::unique_lock<std::mutex> wait(lock_);
        if (!changed_.wait_for(wait, grace_, [this] { return childEnded_; })) child->endNow();
    });
    return true;
}

bool runner::running() {
    std::lock_guard<std::mutex> hold(lock_);
    return active_;
}

bool runner::closed() {
    std::lock_guard<std::mutex> hold(lock_);
    return closed_;
}

std::uint64_t runner::newReader() {
    std::lock_guard<std::mutex> hold(lock_);
    changed_.notify_all();
    return ++reader_;
}

bool runner::isReader(std::uint64_t reader) {
    std::lock_guard<std::mutex> hold(lock_);
    return reader == reader_;
}

std::vector<runEvent> runner::eventsAfter(std::uint64_t seq, std::chrono::milliseconds wait, std::uint64_t reader) {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait_for(hold, wait, [&] {
        return closed_ || reader != reader_ || (!log_.empty() && log_.back().seq > seq);
    });
    std::vector<runEvent> out;
    if (reader != reader_) return out;
    const auto handOut = [&](const logged& e) {
        if (e.stream < 0) {
            out.push_back({e.seq, e.text});
        } else {
            out.push_back({e.seq, dumped({{"type", "output"},
                                          {"stream", e.stream == 0 ? "out" : "err"},
                                          {"data", base64(e.text.data(), e.text.size())}})});
        }
        handedOut_ = std::max(handedOut_, e.seq);
    };
    auto from = log_.begin();
    while (from != log_.end() && from->seq <= seq) ++from;
    // A reader that last saw a seq of this run, now dropped, hears how much
    // it missed before what follows; one that saw none of the run starts
    // with the start, then the gap.
    const bool sawThisRun = seq >= firstOfRun_;
    if (droppedBytes_ > 0 && from != log_.end()) {
        std::uint64_t last = seq;
        if (!sawThisRun) {
            handOut(*from++);
            last = out.back().seq;
        }
        if (from != log_.end() && from->seq > last + 1)
            out.push_back({from->seq - 1, dumped({{"type", "gap"}, {"run", runNumber_}, {"bytes", droppedBytes_}})});
    }
    // A reader that fell behind gets the log a part at a time, so that what
    // is sent never holds more than one part besides the log itself.
    std::size_t sent = 0;
    for (; from != log_.end() && (sent < maxSentBytes || out.empty()); ++from) {
        handOut(*from);
        sent += out.back().json.size();
    }
    return out;
}

bool runner::shutDown() {
    {
        // A start under way ends first; none begins after.
        std::lock_guard<std::mutex> oneAtATime(starting_);
        std::lock_guard<std::mutex> hold(lock_);
        if (closed_) return false;
        ending_ = true;
    }
    const bool stopped = stop();
    std::thread last;
    {
        std::lock_guard<std::mutex> hold(lock_);
        last = std::move(runThread_);
    }
    if (last.joinable()) last.join();
    std::lock_guard<std::mutex> hold(lock_);
    closed_ = true;
    changed_.notify_all();
    return stopped;
}
