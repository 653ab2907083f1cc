// What Browse… in a served page shows: one folder's listing, read-only, with
// a file item's filter applied. Names and paths are UTF-8.
#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

// True when name matches one of patterns ("*.txt;*.log"): '*' any run of
// characters, '?' one, letters in either case. "*.*" matches every name, as
// in the dialogs these filters come from; so does an empty pattern list.
bool matchesFilter(std::string_view name, std::string_view patterns);

// The listing of folder (absolute, or relative to base): {"folder": its full
// path, "parent": the folder above or null, "entries": [{"name", "folder":
// true|false}]}, folders first, then by name. With foldersOnly, files are
// left out; else files that match no pattern are. Hidden entries (a leading
// '.') are left out unless showHidden; names that are not UTF-8 always are.
// Null, with why, when the folder cannot be read.
nlohmann::json folderListing(const std::string& folder, const std::string& base, bool foldersOnly,
                             std::string_view patterns, bool showHidden, std::string& why);
