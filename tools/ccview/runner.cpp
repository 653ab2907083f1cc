#include "runner.h"

#include <algorithm>
#include <utility>

#include "childProcess.h"
#include "runHistory.h"
#include "runOutput.h"
#include "serveApi.h"

using json = nlohmann::json;

namespace {

std::string dumped(const json& event) {
    return event.dump(-1, ' ', false, json::error_handler_t::replace);
}

// How long a tree whose program ended may still hold its output open (a
// process that left it) before that output is no longer read.
constexpr std::chrono::seconds outputGrace{2};

// How often whether the program waits for input is looked at.
constexpr std::chrono::milliseconds readingCheck{150};

// A program whose input was closed, that ended within this time of writing
// a last line without a line end, may have asked a question it got no
// answer to (cp -i, a "Continue? [y/N]").
constexpr std::chrono::seconds promptSpell{1};

std::int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

const char* waitName(inputWait w) {
    return w == inputWait::reading ? "reading" : w == inputWait::notReading ? "not-reading" : "unknown";
}

}  // namespace

runner::runner(std::vector<std::string> program, std::string cwd, std::size_t keptBytes,
               std::chrono::milliseconds grace, runHistory* history)
    : program_(std::move(program)), cwd_(std::move(cwd)), keptBytes_(keptBytes), grace_(grace), history_(history) {}

runner::~runner() { shutDown(); }

bool runner::start(const runRequest& request, std::string& refusal, std::string& id) {
    std::vector<std::string> argv = program_;
    argv.insert(argv.end(), request.words.begin(), request.words.end());
    const std::string cwd = request.cwd.empty() ? cwd_ : request.cwd;
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
    std::thread lastInput = std::move(inputThread_);
    hold.unlock();
    if (last.joinable()) last.join();
    if (lastInput.joinable()) lastInput.join();

    const std::int64_t started = nowMs();
    id = history_ != nullptr ? history_->newId(started) : std::to_string(started);
    record_ = {{"id", id}, {"argv", argv}, {"words", request.words}, {"cwd", cwd},
               {"input", request.input}, {"start", started}};
    if (!request.form.is_null()) record_["form"] = request.form;
    std::unique_ptr<runOutputWriter> disk;
    std::string diskTrouble;
    if (history_ != nullptr && history_->begin(record_, diskTrouble)) {
        disk = std::make_unique<runOutputWriter>(history_->folder(), id, runPartBytes);
        if (!disk->open(diskTrouble)) disk.reset();
    }
    hold.lock();

    ++runNumber_;
    log_.clear();
    keptNow_ = 0;
    written_ = 0;
    runId_ = id;
    disk_ = std::move(disk);
    lastByte_ = '\n';
    firstOfRun_ = nextSeq_;
    json startEvent = {{"type", "start"}, {"run", runNumber_}, {"id", id}, {"argv", argv},
                       {"cwd", cwd}, {"input", request.input}, {"started", started}};
    if (!diskTrouble.empty()) startEvent["note"] = "This run's output is not kept on disk: " + diskTrouble;
    push(dumped(startEvent));
    const auto began = std::chrono::steady_clock::now();
    std::string why;
    std::shared_ptr<childProcess> child =
        childProcess::start(argv, cwd, why, request.input ? childInput::pipe : childInput::closed);
    if (!child) {
        const json end = {{"type", "end"}, {"run", runNumber_}, {"id", id}, {"outcome", "failed"},
                          {"message", why}, {"ms", 0}, {"bytes", 0}};
        push(dumped(end));
        disk_.reset();
        hold.unlock();
        if (history_ != nullptr) history_->end({{"id", id}, {"outcome", "failed"}, {"message", why}, {"ms", 0}});
        return true;
    }
    active_ = true;
    stopping_ = false;
    childEnded_ = false;
    readersLeft_ = 2;
    inputOpen_ = request.input;
    inputEnding_ = false;
    inputQueue_.clear();
    inputQueued_ = 0;
    child_ = child;
    runThread_ = std::thread(&runner::runThread, this, child, began);
    if (request.input) inputThread_ = std::thread(&runner::inputThread, this, child);
    return true;
}

void runner::readThread(const std::shared_ptr<childProcess>& child, int stream) {
    const auto which = stream == 0 ? childProcess::stream::out : childProcess::stream::err;
    std::vector<char> buffer(std::size_t{64} * 1024);
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

// Writes the lines sent to the program's input, in order, and closes it
// when asked; meanwhile says when the program starts or stops waiting for
// input. Ends with the program.
void runner::inputThread(const std::shared_ptr<childProcess>& child) {
    inputWait said = inputWait::unknown;
    bool first = true;
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
        changed_.wait_for(hold, readingCheck, [&] { return childEnded_ || !inputQueue_.empty() || inputEnding_; });
        if (childEnded_) break;
        if (!inputQueue_.empty()) {
            const std::string bytes = std::move(inputQueue_.front());
            inputQueue_.pop_front();
            hold.unlock();
            const bool ok = child->writeInput(bytes.data(), bytes.size());
            hold.lock();
            inputQueued_ -= bytes.size();
            if (!ok) {
                // Nothing reads the input any more (or the program ended).
                if (!childEnded_) push(dumped({{"type", "reading"}, {"run", runNumber_}, {"state", "closed"}}));
                break;
            }
            continue;
        }
        if (inputEnding_) {
            hold.unlock();
            child->closeInput();
            hold.lock();
            inputEnding_ = false;
            push(dumped({{"type", "reading"}, {"run", runNumber_}, {"state", "closed"}}));
            break;
        }
        hold.unlock();
        const inputWait now = child->waitingForInput();
        hold.lock();
        if (childEnded_) break;
        if (now != said || first) push(dumped({{"type", "reading"}, {"run", runNumber_}, {"state", waitName(now)}}));
        said = now;
        first = false;
    }
    inputOpen_ = false;
    inputQueue_.clear();
    inputQueued_ = 0;
}

json runner::endOf(const processOutcome& outcome, std::chrono::steady_clock::time_point ended,
                   std::chrono::milliseconds ms, bool stopped, bool outputHeld) {
    json end = {{"type", "end"}, {"run", runNumber_}, {"id", runId_}, {"ms", ms.count()}, {"bytes", written_}};
    if (stopped) {
        end["outcome"] = "stopped";
    } else if (outcome.signalled) {
        end["outcome"] = "signal";
        end["signal"] = signalName(outcome.code);
    } else {
        end["outcome"] = "exit";
        end["code"] = outcome.code;
        // A last line without its line end, just before a program with no
        // input ended: most likely a question it could not get answered.
        const bool prompt = written_ > 0 && lastByte_ != '\n' && lastByte_ != '\r' &&
                            ended - lastOutput_ < promptSpell;
        if (!record_.value("input", false) && prompt) end["askedForInput"] = true;
    }
    std::string note;
    if (outputHeld)
        note = "A process the program started left its process group and still holds its output, "
               "which is no longer read; that process was not ended.";
    if (disk_ && !disk_->failure().empty())
        note += std::string(note.empty() ? "" : " ") + "Not all of the output was kept on disk: " + disk_->failure() +
                ".";
    if (!note.empty()) end["note"] = note;
    return end;
}

void runner::runThread(const std::shared_ptr<childProcess>& child, std::chrono::steady_clock::time_point began) {
    std::thread out(&runner::readThread, this, child, 0);
    std::thread err(&runner::readThread, this, child, 1);
    const processOutcome outcome = child->wait();
    const auto ended = std::chrono::steady_clock::now();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(ended - began);
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
    // A line that a process left behind does not read stays unwritten.
    child->abandonInput();
    if (outputHeld) child->abandonOutput();
    out.join();
    err.join();
    if (stopper.joinable()) stopper.join();

    json end;
    {
        std::lock_guard<std::mutex> hold(lock_);
        end = endOf(outcome, ended, ms, stopped, outputHeld);
        disk_.reset();
    }
    if (history_ != nullptr) {
        json record = end;
        for (const char* field : {"type", "run"}) record.erase(field);
        history_->end(record);
    }
    std::lock_guard<std::mutex> hold(lock_);
    push(dumped(end));
    active_ = false;
    runId_.clear();
    child_.reset();
}

bool runner::sendInput(const std::string& line, std::string& why) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!active_ || childEnded_ || !inputOpen_ || inputEnding_) {
        why = "The program's input is not open: no run in progress reads from this page.";
        return false;
    }
    const std::string bytes = line + inputLineEnd();
    if (inputQueued_ + bytes.size() > maxQueuedInput) {
        why = "The program has not read the input sent before.";
        return false;
    }
    inputQueue_.push_back(bytes);
    inputQueued_ += bytes.size();
    if (disk_) disk_->input(line);
    push(dumped({{"type", "input"}, {"run", runNumber_}, {"at", written_}, {"text", line}}));
    return true;
}

bool runner::endInput(std::string& why) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!active_ || childEnded_ || !inputOpen_ || inputEnding_) {
        why = "The program's input is not open: no run in progress reads from this page.";
        return false;
    }
    inputEnding_ = true;
    changed_.notify_all();
    return true;
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

std::string runner::runningId() {
    std::lock_guard<std::mutex> hold(lock_);
    return active_ ? runId_ : std::string();
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

bool runner::shutDown() {
    {
        // A start under way ends first; none begins after.
        std::lock_guard<std::mutex> oneAtATime(starting_);
        std::lock_guard<std::mutex> hold(lock_);
        if (closed_) return false;
        ending_ = true;
    }
    const bool stopped = stop();
    std::thread last, lastInput;
    {
        std::lock_guard<std::mutex> hold(lock_);
        last = std::move(runThread_);
        lastInput = std::move(inputThread_);
    }
    if (last.joinable()) last.join();
    if (lastInput.joinable()) lastInput.join();
    std::lock_guard<std::mutex> hold(lock_);
    closed_ = true;
    changed_.notify_all();
    return stopped;
}
