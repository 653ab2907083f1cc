// The runner behind a served page: runs one fixed program at a time with the
// words the page sends after its fixed arguments, and keeps what happens as a
// log of events that the page reads from where it is.
//
// Events, in order, for each run: "start", "output" (a chunk of standard
// output or standard error, as the bytes came), possibly "gap" (output
// dropped from memory), "stopping" when the person asked to stop, and "end".
// The log holds only the current or last run, and at most a bounded number of
// bytes of it: what its output events take in memory, counted with what each
// event costs besides its bytes, so that no way of writing (a flood, or one
// byte at a time) can fill the server's memory. The oldest output goes first.
// Output that no reader has been given yet joins the chunk before it when it
// comes from the same stream, so that small writes do not each make an event.
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

class childProcess;

struct runEvent {
    std::uint64_t seq = 0;  // 1, 2, ... over the server's life; never reused
    std::string json;       // the event as one JSON object
};

class runner {
public:
    // program: the program and its fixed arguments; cwd: the working folder;
    // keptBytes: how many bytes of a run's output the log keeps at most;
    // grace: how long a stopped tree has to end before it is killed.
    runner(std::vector<std::string> program, std::string cwd, std::size_t keptBytes,
           std::chrono::milliseconds grace);
    ~runner();
    runner(const runner&) = delete;
    runner& operator=(const runner&) = delete;

    // Starts a run of the program with words after its fixed arguments.
    // False, with the reason in refusal, while a run is in progress. A
    // program that cannot be started still makes a run: its "end" says why.
    bool start(const std::vector<std::string>& words, std::string& refusal);

    // Stops the run in progress, its whole process tree: asked to end first,
    // killed after the grace. Its end says it was stopped. False when no run
    // is in progress.
    bool stop();

    // A new reader of the log, which takes the place of the one before.
    std::uint64_t newReader();
    // Whether reader is still the one served (no newer one took its place).
    bool isReader(std::uint64_t reader);

    // The events after seq, for reader: waits up to wait for one when there
    // is none yet (not once shutDown has ended). When events after seq were
    // dropped from the log, the first returned is a "gap" saying how many
    // output bytes are missing. Empty after the wait, once another reader
    // took reader's place, or when shutDown has ended and reader has all.
    std::vector<runEvent> eventsAfter(std::uint64_t seq, std::chrono::milliseconds wait, std::uint64_t reader);

    bool running();
    // Whether shutDown has ended: nothing more will come.
    bool closed();

    // Refuses new runs, stops a run in progress as stop() does (asked to
    // end, killed after the grace) and waits for its end to be logged, then
    // wakes every reader for good. True when it stopped a run.
    bool shutDown();

private:
    // An event as the log keeps it: output as its bytes (turned into JSON
    // when handed out), anything else as its JSON.
    struct logged {
        std::uint64_t seq = 0;
        int stream = -1;   // 0: standard output, 1: standard error, -1: not output
        std::string text;  // the bytes of output, or the event's JSON
    };
    static std::size_t cost(const logged& e);

    void push(std::string event);                              // lock held
    void pushOutput(int stream, const char* data, std::size_t size);  // lock held
    void trim();                                               // lock held
    void runThread(const std::shared_ptr<childProcess>& child, std::chrono::steady_clock::time_point began);
    void readThread(const std::shared_ptr<childProcess>& child, int stream);

    const std::vector<std::string> program_;
    const std::string cwd_;
    const std::size_t keptBytes_;
    const std::chrono::milliseconds grace_;

    std::mutex starting_;  // start() one at a time
    std::mutex lock_;      // everything below
    std::condition_variable changed_;
    std::deque<logged> log_;
    std::uint64_t nextSeq_ = 1;
    std::uint64_t firstOfRun_ = 1;     // seq of the current run's start
    std::uint64_t handedOut_ = 0;      // the last seq any reader was given
    std::uint64_t reader_ = 0;         // the reader served
    std::size_t droppedBytes_ = 0;     // output of this run no longer kept
    std::size_t keptNow_ = 0;          // what the log's output events cost
    std::uint64_t runNumber_ = 0;
    bool active_ = false;              // a run is in progress
    bool stopping_ = false;            // the person asked it to stop
    bool childEnded_ = false;
    bool ending_ = false;              // no new run: the server is ending
    bool closed_ = false;
    int readersLeft_ = 0;
    std::shared_ptr<childProcess> child_;
    std::thread runThread_;
    std::thread stopThread_;
};
