// The answers to an editor's questions about one script: hover, go to
// definition, references, the outline, completion and rename. Each takes the
// document's text and index and gives the JSON of the protocol's result; a
// refusal is thrown as a requestFailure with the message the editor shows.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "lsIndex.h"
#include "lsText.h"

struct requestFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What the features need of a document.
struct scriptView {
    const std::string& uri;
    const textDocument& text;
    const scriptIndex& index;
    positionEncoding encoding;
    bool snippets = false;  // the editor takes completions as snippets
};

// The editor's position of an offset, and range of a compiler place: line,
// column and length in bytes.
nlohmann::json position(const scriptView& script, std::size_t offset);
nlohmann::json rangeOf(const scriptView& script, std::uint32_t line, std::uint32_t column, std::uint32_t length);

nlohmann::json hover(const scriptView& script, std::size_t offset);
nlohmann::json definition(const scriptView& script, std::size_t offset);
nlohmann::json references(const scriptView& script, std::size_t offset, bool withDefinition);
nlohmann::json documentSymbols(const scriptView& script);
nlohmann::json prepareRename(const scriptView& script, std::size_t offset);
nlohmann::json rename(const scriptView& script, std::size_t offset, const std::string& newName);
// lsCompletion.cpp
nlohmann::json completion(const scriptView& script, std::size_t offset);
