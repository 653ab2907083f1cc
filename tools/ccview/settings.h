// The person's settings, kept by the server in one file, settings.json in
// the per-user config folder (userFolders.h), and read and written by the
// pages through the server's API only:
//
//   {"version": 1,
//    "programs": {CONFIG: PROGRAM},  the program chosen for a config (both
//                                    full paths, UTF-8)
//    "configs": {KEY: {"values": {...}, "presets": [{"name", "form"}]}}}
//                                    a config's last values and its named
//                                    presets; KEY is the page's key for the
//                                    config's content ("ccview:" and 16
//                                    hexadecimal digits), values and forms
//                                    are what the page saves
//
// The file is written whole, through a temporary file renamed over it, for
// this user only (mode 0600). A file that is not such a document (damaged,
// or edited by hand into something else) is never overwritten unseen: it is
// renamed aside, to settings.json.damaged-N (the first N free), and the
// server says so; the settings start empty.
#pragma once

#include <mutex>
#include <string>

#include <nlohmann/json.hpp>

class settingsStore {
public:
    // The settings in file path (UTF-8), read now. warning: what the person
    // should know about the file (it was damaged and put aside, or could not
    // be read), else empty. An empty path: there is no place for them; they
    // start empty and no change is kept.
    settingsStore(std::string path, std::string& warning);

    const std::string& path() const { return path_; }

    // The program chosen for the config at path, or "".
    std::string programFor(const std::string& config) const;
    // Remembers program for config; false, with why, when it cannot be
    // written.
    bool chooseProgram(const std::string& config, const std::string& program, std::string& why);

    // What is kept for a config's key: {"known": whether anything is,
    // "values": object or null, "presets": [...]}.
    nlohmann::json valuesFor(const std::string& key) const;
    // Changes what is kept for a config's key: change holds "values" (an
    // object, or null to forget them) and/or "presets" (an array of
    // {"name": text, "form": object}). False, with why, for a change of
    // another shape, or when the file cannot be written (nothing changes).
    bool changeValues(const std::string& key, const nlohmann::json& change, std::string& why);

    // Whether text is a key as the pages make them.
    static bool isKey(const std::string& text);

private:
    bool write(const nlohmann::json& next, std::string& why);  // lock held

    const std::string path_;
    mutable std::mutex lock_;
    nlohmann::json data_;
    std::string refusal_;  // why no change is kept (the file could not be read, or there is none), or ""
};
