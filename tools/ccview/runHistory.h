// The runs a server keeps of its config, in the user's state folder: the
// last few runs' records in history.json, each run's output beside it
// (runOutput.h), and a bound on what the outputs of every config's runs take
// together, past which the oldest outputs go.
//
// A record is the run's JSON as the page sees it in GET /api/history
// (serveApi.h): "id", "argv", "words", "cwd", "input", "form", "start"
// (milliseconds since 1970), and once the run ended "ms", "outcome" and the
// rest of its end. history.json is written whole (a new file renamed over
// the old), read again before each change, so that two servers of one
// config lose no run of each other's but by a write at the same moment.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include <nlohmann/json.hpp>

class runHistory {
public:
    // folder: this config's (made when the first run begins); root: the
    // folder of every config's, whose run outputs count towards totalBytes;
    // keep: how many runs' records and outputs a config keeps.
    runHistory(std::string folder, std::string root, std::size_t keep, std::uint64_t totalBytes);

    // Where runs' outputs go.
    const std::string& folder() const { return folder_; }

    // A new run's id: its start's date and time (UTC), unique in the folder.
    std::string newId(std::int64_t startMs);

    // Records a run that began; the oldest records past keep go, with their
    // outputs. False, with why, when history.json cannot be written.
    bool begin(const nlohmann::json& run, std::string& why);
    // Records the run's end (the record with the same id replaced), then
    // removes the oldest outputs of all configs while they take more than
    // the total bound, never the output of the run that just ended.
    void end(const nlohmann::json& run);

    // The records, newest first, each with "kept": how many bytes of its
    // output are kept (0 when none are). A record without an end whose id is
    // not running gets "outcome": "lost" (its server ended during the run).
    nlohmann::json list(const std::string& running);
    // The record of id; null when there is none.
    nlohmann::json find(const std::string& id);

private:
    nlohmann::json read();  // lock held
    bool write(const nlohmann::json& runs, std::string& why);  // lock held
    void boundTotal(const std::string& spare);

    const std::string folder_, root_;
    const std::size_t keep_;
    const std::uint64_t totalBytes_;
    std::mutex lock_;
};

// The text a config is known by in the state folder: 16 hexadecimal digits
// of a 64-bit FNV-1a hash of its JSON form.
std::string configKey(std::uint64_t hash);
