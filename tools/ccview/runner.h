// The runner behind a served page: runs one fixed program at a time with the
// words the page sends after its fixed arguments, feeds it the lines of
// input the page sends, and keeps what happens as a log of events that the
// page reads from where it is. With a history (runHistory.h), each run's
// whole output is also kept on disk, and its record.
//
// Events, in order, for each run: "start", "output" (a chunk of standard
// output or standard error, as the bytes came, at its offset in the run's
// output), "input" (a line sent), "reading" (whether the program waits for
// input), possibly "gap" (output a reader does not get), "stopping" when the
// person asked to stop, and "end". The fields are serveApi.h's.
//
// The log holds only the current or last run, and at most a bounded number
// of bytes of it: what its output events take in memory, counted with what
// each event costs besides its bytes, so that no way of writing (a flood, or
// one byte at a time) can fill the server's memory. The oldest output goes
// first. Output that no reader has been given yet joins the chunk before it
// when it comes from the same stream, so that small writes do not each make
// an event.
//
// A reader is given output as fast as it asks for it, up to a budget it
// names; one that falls far behind, or has yet to read the output before a
// run's end, skips to the latest output (a "gap" says where the output goes
// on), so that what it shows stays close to the program and the end reaches
// it at once. What it skipped is on disk.
//
// One reader at a time: the page that asks last is served, and a reader
// that another took the place of is told so (its wait ends at once).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

class childProcess;
class runHistory;
class runOutputWriter;

struct runEvent {
    std::uint64_t seq = 0;  // 1, 2, ... over the server's life; never reused
    std::string json;       // the event as one JSON object
};

// What a page asks to run.
struct runRequest {
    std::vector<std::string> words;  // after the program's fixed arguments
    bool input = false;              // standard input a pipe the page writes to; else closed
    std::string cwd;                 // the working folder, absolute; empty: the server's
    nlohmann::json form;             // the page's choices, kept with the run (null: none)
};

class runner {
public:
    // program: the program and its fixed arguments; cwd: the working folder;
    // keptBytes: how many bytes of a run's output the log keeps at most;
    // grace: how long a stopped tree has to end before it is killed;
    // history: where runs are recorded and their outputs kept (null: not).
    runner(std::vector<std::string> program, std::string cwd, std::size_t keptBytes,
           std::chrono::milliseconds grace, runHistory* history = nullptr);
    ~runner();
    runner(const runner&) = delete;
    runner& operator=(const runner&) = delete;

    // Starts a run of the program with the request's words after its fixed
    // arguments; id is the run's. False, with the reason in refusal, while
    // a run is in progress. A program that cannot be started still makes a
    // run: its "end" says why.
    bool start(const runRequest& request, std::string& refusal, std::string& id);

    // Stops the run in progress, its whole process tree: asked to end first,
    // killed after the grace. Its end says it was stopped. False when no run
    // is in progress.
    bool stop();

    // Sends a line (with the system's line end) to the program's standard
    // input, or closes it. False, with why, when no run in progress has its
    // input open, or when more than maxQueuedInput bytes wait to be read.
    bool sendInput(const std::string& line, std::string& why);
    bool endInput(std::string& why);

    // A new reader of the log, which takes the place of the one before.
    std::uint64_t newReader();
    // Whether reader is still the one served (no newer one took its place).
    bool isReader(std::uint64_t reader);

    // The events after seq, for reader, with at most budget bytes of output:
    // waits up to wait for one when there is none yet (not once shutDown has
    // ended). A reader that is more than behindBytes of output behind, or
    // whose events up to the run's end hold more output than its budget,
    // skips to the latest output: a "gap" says where the output goes on.
    // Empty after the wait, once another reader took reader's place, or when
    // shutDown has ended and reader has all.
    std::vector<runEvent> eventsAfter(std::uint64_t seq, std::chrono::milliseconds wait, std::uint64_t reader,
                                      std::size_t budget = SIZE_MAX);

    bool running();
    // The id of the run in progress, or "".
    std::string runningId();
    // Whether shutDown has ended: nothing more will come.
    bool closed();

    // Refuses new runs, stops a run in progress as stop() does (asked to
    // end, killed after the grace) and waits for its end to be logged, then
    // wakes every reader for good. True when it stopped a run.
    bool shutDown();

    // How far behind a reader may fall before it skips, in output bytes.
    static constexpr std::size_t behindBytes = std::size_t{1} << 20;
    // How many bytes of input may wait for the program to read them.
    static constexpr std::size_t maxQueuedInput = std::size_t{1} << 20;

private:
    // An event as the log keeps it: output as its bytes (turned into JSON
    // when handed out), anything else as its JSON.
    struct logged {
        std::uint64_t seq = 0;
        int stream = -1;       // 0: standard output, 1: standard error, -1: not output
        std::uint64_t at = 0;  // the run's output offset where it stands
        std::string text;      // the bytes of output, or the event's JSON
    };
    static std::size_t cost(const logged& e);

    void push(std::string event);                                     // lock held
    void pushOutput(int stream, const char* data, std::size_t size);  // lock held
    void trim();                                                      // lock held
    std::string handedOut(const logged& e) const;
    void runThread(const std::shared_ptr<childProcess>& child, std::chrono::steady_clock::time_point began);
    void readThread(const std::shared_ptr<childProcess>& child, int stream);
    void inputThread(const std::shared_ptr<childProcess>& child);
    nlohmann::json endOf(const struct processOutcome& outcome, std::chrono::steady_clock::time_point ended,
                         std::chrono::milliseconds ms, bool stopped, bool outputHeld);

    const std::vector<std::string> program_;
    const std::string cwd_;
    const std::size_t keptBytes_;
    const std::chrono::milliseconds grace_;
    runHistory* const history_;

    std::mutex starting_;  // start() one at a time
    std::mutex lock_;      // everything below
    std::condition_variable changed_;
    std::deque<logged> log_;
    std::uint64_t nextSeq_ = 1;
    std::uint64_t firstOfRun_ = 1;  // seq of the current run's start
    std::uint64_t handedOut_ = 0;   // the last seq any reader was given
    std::uint64_t reader_ = 0;      // the reader served
    std::uint64_t written_ = 0;     // the run's output bytes so far
    std::size_t keptNow_ = 0;       // what the log's output events cost
    std::uint64_t runNumber_ = 0;
    std::string runId_;
    nlohmann::json record_;  // the run's record for the history
    bool active_ = false;    // a run is in progress
    bool stopping_ = false;  // the person asked it to stop
    bool childEnded_ = false;
    bool ending_ = false;  // no new run: the server is ending
    bool closed_ = false;
    int readersLeft_ = 0;
    // The last output: its last byte and when it came (for a prompt that
    // closed input could not answer).
    char lastByte_ = '\n';
    std::chrono::steady_clock::time_point lastOutput_;
    // Input: the lines waiting for the program, whether more may come.
    bool inputOpen_ = false;
    bool inputEnding_ = false;
    std::deque<std::string> inputQueue_;
    std::size_t inputQueued_ = 0;
    std::unique_ptr<runOutputWriter> disk_;
    std::shared_ptr<childProcess> child_;
    std::thread runThread_;
    std::thread stopThread_;
    std::thread inputThread_;
};
