// The runner's log of events: what it keeps of a run in memory, and what it
// hands each reader.
#include <algorithm>

#include "base64.h"
#include "runOutput.h"
#include "runner.h"

using json = nlohmann::json;

namespace {

// The most output bytes that later output joins in one event.
constexpr std::size_t maxJoinedBytes = std::size_t{64} * 1024;

// What an event of the log takes in memory besides its bytes: its entry in
// the log and what the allocator keeps with a string (a few bytes of output
// live in the string itself).
constexpr std::size_t eventCost = 64;

}  // namespace

std::size_t runner::cost(const logged& e) { return eventCost + e.text.size(); }

void runner::push(std::string event) {
    log_.push_back({nextSeq_++, -1, written_, std::move(event)});
    changed_.notify_all();
}

void runner::pushOutput(int stream, const char* data, std::size_t size) {
    if (disk_) disk_->output(stream, data, size);
    lastByte_ = data[size - 1];
    lastOutput_ = std::chrono::steady_clock::now();
    logged* last = log_.empty() ? nullptr : &log_.back();
    if (last != nullptr && last->stream == stream && last->seq > handedOut_ &&
        last->text.size() + size <= maxJoinedBytes) {
        last->text.append(data, size);
        keptNow_ += size;
    } else {
        log_.push_back({nextSeq_++, stream, written_, std::string(data, size)});
        keptNow_ += cost(log_.back());
    }
    written_ += size;
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
        oldest = log_.erase(oldest);
    }
}

std::string runner::handedOut(const logged& e) const {
    if (e.stream < 0) return e.text;
    return json({{"type", "output"},
                 {"stream", e.stream == 0 ? "out" : "err"},
                 {"at", e.at},
                 {"data", base64(e.text.data(), e.text.size())}})
        .dump();
}

std::vector<runEvent> runner::eventsAfter(std::uint64_t seq, std::chrono::milliseconds wait, std::uint64_t reader,
                                          std::size_t budget) {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait_for(hold, wait, [&] {
        return closed_ || reader != reader_ || (!log_.empty() && log_.back().seq > seq);
    });
    std::vector<runEvent> out;
    if (reader != reader_) return out;
    const auto handOut = [&](const logged& e) {
        out.push_back({e.seq, handedOut(e)});
        handedOut_ = std::max(handedOut_, e.seq);
    };
    auto from = log_.begin();
    while (from != log_.end() && from->seq <= seq) ++from;
    if (from == log_.end()) return out;
    const bool sawThisRun = seq >= firstOfRun_;
    // Output after seq that is no longer in the log: every event of a run
    // stays but output, which goes oldest first.
    const auto present = static_cast<std::uint64_t>(std::distance(from, log_.end()));
    const bool trimmed = sawThisRun ? log_.back().seq - seq > present : false;
    // A reader that saw none of this run starts with its start.
    if (!sawThisRun && from->seq == firstOfRun_) handOut(*from++);

    // Where the reader's output goes on, and whether it skips: it is too
    // far behind, or the run has ended and the output before its end is
    // more than it may be given now (the end then comes at once).
    const auto firstOutput = std::find_if(from, log_.end(), [](const logged& e) { return e.stream >= 0; });
    const std::uint64_t behind = firstOutput == log_.end() ? 0 : written_ - firstOutput->at;
    const bool ended = !active_;
    std::uint64_t skipTo = 0;
    if (behind > behindBytes || (ended && behind > budget))
        skipTo = written_ - std::min<std::uint64_t>(budget, behindBytes / 2);
    bool gapSaid = false;
    std::size_t sent = 0;
    for (; from != log_.end(); ++from) {
        if (from->stream >= 0) {
            if (from->at + from->text.size() <= skipTo) continue;  // skipped: it is on disk
            if (sent >= budget && sent > 0) break;
            const bool missed = skipTo > 0 || trimmed || (!sawThisRun && from->at > 0);
            if (!gapSaid && missed)
                out.push_back({from->seq - 1, json({{"type", "gap"}, {"run", runNumber_}, {"at", from->at}}).dump()});
            gapSaid = true;
            sent += from->text.size();
        }
        handOut(*from);
    }
    return out;
}
