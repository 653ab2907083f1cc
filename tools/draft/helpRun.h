// Running a program for its help text: through the platform layer's child
// process (no shell, standard input the null device), within a time limit
// and a limit on what is kept of its output.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "childProcess.h"

struct helpRunLimits {
    std::chrono::milliseconds time{10000};  // then the program's whole tree is ended
    std::size_t bytes = 4u << 20;           // of both streams together; past it the tree is ended
};

struct helpRun {
    bool started = false;
    std::string why;       // why the program could not be started
    std::string out, err;  // what it wrote to standard output and standard error, within the limit
    bool timedOut = false; // ended by the time limit
    bool cut = false;      // ended when it wrote more than the limit
    processOutcome outcome;
};

// Starts argv (argv[0] looked up in PATH when it names no folder, words in
// UTF-8), reads both of its streams until they end, and waits for it. A tree
// that runs past the time limit, or writes past the byte limit, is ended
// whole; what it wrote until then is kept. Output still held open by a
// process that left the tree is no longer read a second after the program
// ended.
helpRun runForHelp(const std::vector<std::string>& argv, const helpRunLimits& limits);

// The stream of a run that holds its help: the one that lists more options
// (standard output when neither lists more), as some programs print their
// help on standard error.
const std::string& helpTextOf(const helpRun& run);

// Why a run gives no help text to draft from, as words to follow the command
// shown (such as "`frob --help`"): it did not end in time, or listed no
// options (and how it ended, when that was not status 0). "" when its help
// text lists options.
std::string whyNoHelp(const helpRun& run, const std::string& shown, const helpRunLimits& limits);
