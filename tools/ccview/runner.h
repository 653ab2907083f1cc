// The runner behind a served page: runs one fixed program at a time with the
// words the page sends after its fixed arguments, and keeps what happens as a
// log of events that any number of pages read, each from where it is.
//
// Events, in order, for each run: "start", "output" (a chunk of standard
// output or standard error, as the bytes came), possibly "gap" (output
// dropped from memory), "stopping" when the person asked to stop, and "end".
// The log holds only the current or last run, and at most a bounded number of
// bytes of its output (the oldest chunks go first), so that a program that
// writes without end cannot fill the server's memory.
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
    std::size_t bytes = 0;  // output bytes it carries (0 for the others)
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

    // The events after seq: waits up to wait for one when there is none yet.
    // When events after seq were dropped from the log, the first returned is
    // a "gap" saying how many output bytes are missing. Empty after the wait,
    // or once shutDown was called.
    std::vector<runEvent> eventsAfter(std::uint64_t seq, std::chrono::milliseconds wait);

    bool running();

    // Stops a run in progress (at once), waits for it to end, and wakes every
    // reader of the log for good.
    void shutDown();

private:
    void push(std::string text, std::size_t bytes);  // lock held
    void runThread(const std::shared_ptr<childProcess>& child, std::chrono::steady_clock::time_point began);
    void readThread(const std::shared_ptr<childProcess>& child, int stream);

    const std::vector<std::string> program_;
    const std::string cwd_;
    const std::size_t keptBytes_;
    const std::chrono::milliseconds grace_;

    std::mutex starting_;  // start() one at a time
    std::mutex lock_;      // everything below
    std::condition_variable changed_;
    std::deque<runEvent> log_;
    std::uint64_t nextSeq_ = 1;
    std::uint64_t firstOfRun_ = 1;     // seq of the current run's start
    std::size_t droppedBytes_ = 0;     // output of this run no longer kept
    std::size_t keptNow_ = 0;          // output bytes in the log
    std::uint64_t runNumber_ = 0;
    bool active_ = false;              // a run is in progress
    bool stopping_ = false;            // the person asked it to stop
    bool childEnded_ = false;
    bool closed_ = false;
    int readersLeft_ = 0;
    std::shared_ptr<childProcess> child_;
    std::thread runThread_;
    std::thread stopThread_;
};
