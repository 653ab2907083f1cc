// The output of one run, kept on disk: the bytes the program wrote, both
// streams in the order they came, as they came, in ID.out in the run's
// folder; beside it ID.idx, which says where each stream's part begins and
// what input was sent where. Offsets count the output's bytes from the run's
// start (input sent is no output: it takes no offset).
//
// A run's output is kept up to a bound: past partBytes (the data and its
// index), the file rolls over to ID.1.out, ID.2.out ... and only the last two
// parts are kept, so that at least partBytes of a run's end are always kept,
// and at most twice that. The bytes of the parts removed are not kept; the
// reading functions say from which offset on the output is kept.
//
// The index is text, a line each:
//   p START        the part's first offset (its first line)
//   o AT / e AT    from AT on, standard output / standard error
//   i AT BASE64    a line of input sent when the output had reached AT
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// Writes one run's output as it comes. Not thread-safe: one writer.
class runOutputWriter {
public:
    // folder: where the run's files go (made if missing); id: the run's.
    runOutputWriter(std::string folder, std::string id, std::uint64_t partBytes);

    // Makes the first part. False, with why, when it cannot be written;
    // nothing is kept then.
    bool open(std::string& why);

    // stream 0: standard output, 1: standard error.
    void output(int stream, const char* data, std::size_t size);
    // A line of input sent, at the current offset.
    void input(const std::string& line);

    std::uint64_t size() const { return size_; }
    // Why the output stopped being kept (a full disk), or empty.
    const std::string& failure() const { return failure_; }

private:
    bool startPart(std::string& why);
    void wrote(bool ok);
    const std::string folder_, id_;
    const std::uint64_t partBytes_;
    std::ofstream data_, index_;
    int part_ = 0;
    int stream_ = -1;  // the stream of the last output written to this part
    std::uint64_t size_ = 0;
    std::uint64_t partSize_ = 0;  // bytes of this part, its index with them
    std::string failure_;
};

// A piece of a kept output: bytes of one stream from offset at (stream 2:
// a line of input, sent at at).
struct outputPiece {
    int stream = 0;
    std::uint64_t at = 0;
    std::string bytes;
};

// What readRunOutput found: the output kept is [first, size); pieces hold
// [from, next) of it, with the input sent in between.
struct outputRange {
    std::uint64_t first = 0, size = 0, from = 0, next = 0;
    std::vector<outputPiece> pieces;
};

// Reads up to maxBytes of a run's output from offset from on (from before
// first: from first). False when the run has no output kept here.
bool readRunOutput(const std::string& folder, const std::string& id, std::uint64_t from, std::size_t maxBytes,
                   outputRange& range);

// Where the last lines lines of a run's output begin, taking at most maxBytes
// (an unfinished last line counts as one): an offset at a line's start, or
// maxBytes before the end, or the first kept.
std::uint64_t runOutputTail(const std::string& folder, const std::string& id, std::uint64_t lines,
                            std::uint64_t maxBytes);

// The data files of a run's kept output, in order, and the offset the first
// begins at. Empty when nothing is kept.
std::vector<std::string> runOutputFiles(const std::string& folder, const std::string& id, std::uint64_t& first);

// Removes every file of a run's output.
void removeRunOutput(const std::string& folder, const std::string& id);
