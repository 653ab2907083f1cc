// The shelf: the configs a person has at hand, read from the shelf folders,
// each with the program it runs. The person's own folder takes configs added
// and gives up configs removed; the configs installed with ccview are only
// listed.
//
// A config does not name its program, and its bytes are never changed to
// say it: its program is the one the person chose for it (kept in the
// settings by the config's path), else its base name ("tar" for tar.cc)
// found as programPath finds it (in PATH; on Windows first beside the
// config, tar.exe).
#pragma once

#include <array>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "settings.h"

struct shelfFolder {
    std::string path;  // UTF-8
    bool own = false;  // the person's own: configs are added to it and removed from it
};

struct programChoice {
    std::string name;     // the config's base name: the program it names by default
    std::string path;     // the program's full path, or "" when it is not found
    bool chosen = false;  // the person chose it (path is then what was chosen)
};

// The whole file at path (UTF-8) in bytes; false, with why, when it cannot be
// read.
bool fileBytesOf(const std::string& path, std::string& bytes, std::string& why);

// The program of the config at path (UTF-8).
programChoice programOf(const std::string& configPath, const settingsStore& settings);

struct shelfEntry {
    std::string id;    // the server's handle for the config: 16 hexadecimal digits
    std::string path;  // the config's file, UTF-8
    std::string name;  // its file name
    bool own = false;
    std::string refused;                   // the reader's reason when it refuses the file, else ""
    std::array<std::string, 6> headerItems;  // the config's header texts, as their bytes
    programChoice program;
};

class shelf {
public:
    shelf(std::vector<shelfFolder> folders, settingsStore& settings);

    const std::vector<shelfFolder>& folders() const { return folders_; }
    // The own folder's path, or "" when the shelf has none.
    std::string ownFolder() const;

    // Every config in the folders (a file whose name ends in .cc, in any
    // letter case; not hidden), read now: the own folder's first, each
    // folder's by name.
    std::vector<shelfEntry> entries();
    // The entry with this id, read now. False when the shelf holds none.
    bool find(const std::string& id, shelfEntry& entry);

    // Copies a config, its file name and its bytes, into the own folder.
    // Refused, with why, for a name that is not a plain file name ending in
    // .cc, for bytes the reader refuses (its reason), for a name the folder
    // holds already, and when the file cannot be written. Its id in id.
    bool add(const std::string& name, const std::string& bytes, std::string& id, std::string& why);
    // Which of NAME.sc and NAME.cc the own folder holds.
    std::vector<std::string> madeFilesOf(const std::string& name) const;
    // Keeps a form made for a program in the own folder: its script as
    // NAME.sc and its config as NAME.cc, each written whole, the script
    // first. program, the program's full path, is remembered for the config
    // when its base name would find another (or none). Unless replace, refused
    // when the folder holds either file already: existing then names them.
    // Refused, with why, when a file cannot be written. Its id in id.
    bool keepMade(const std::string& name, const std::string& script, const std::string& config,
                  const std::string& program, bool replace, std::vector<std::string>& existing, std::string& id,
                  std::string& why);
    // Removes a config of the own folder; refused, with why, for any other.
    bool remove(const std::string& id, std::string& why);
    // Remembers program (a program file) for a config; refused, with why,
    // for a path that names no program this user may run.
    bool chooseProgram(const std::string& id, const std::string& program, std::string& why);

private:
    std::string idOf(const std::string& path);
    shelfEntry read(const std::string& path, bool own);

    const std::vector<shelfFolder> folders_;
    settingsStore& settings_;
    std::mutex lock_;
    std::map<std::string, std::string> ids_;  // path -> id, for the server's life
};
