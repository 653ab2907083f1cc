// The compiler as a library: a script's text in; its config, its warnings and
// its error out, as data. The program itself calls the stages one by one (it
// prints between them); everything else that compiles text calls this.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cnfBuilder.h"
#include "scriptError.h"

struct compileResult {
    std::string config;                   // the config's bytes; empty when the compile failed
    std::vector<scriptWarning> warnings;  // in script line order, those before an error included
    std::optional<scriptError> error;     // the error that ended the compile

    bool ok() const { return !error.has_value(); }
};

// Compiles a script's bytes as the program compiles a file that holds them:
// the same lines, checks, warnings and config bytes. name stands for the
// script in messages, as the script's path does in the program's. Never
// writes a file and never prints; each call stands alone, so that one process
// may compile script after script.
compileResult compileText(std::string_view bytes, std::string_view name);

// The same on a builder the caller provides, which must be new and keeps the
// compiled state for the caller to look at (tests compare it with the config).
compileResult compileText(std::string_view bytes, std::string_view name, cnfBuilder& builder);
