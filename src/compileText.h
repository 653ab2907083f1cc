// The compiler as a library: a script's text in; its config, its warnings and
// its errors out, as data, and on request the facts of its reading. The
// program itself calls the stages one by one (it prints between them);
// everything else that compiles text calls this.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cnfBuilder.h"
#include "scriptError.h"
#include "scriptFacts.h"

struct compileResult {
    std::string config;                   // the config's bytes; empty when the compile failed
    // In script line order, those before an error included; none stands at
    // the place of an error, which says what is wrong there.
    std::vector<scriptWarning> warnings;
    std::optional<scriptError> error;     // the error that ended the compile: the first found
    // With facts: the errors found by reading on past the first, in the order
    // found, and the first error beyond kMostErrors, if reading stopped there.
    std::vector<scriptError> laterErrors;
    std::optional<scriptError> firstLeftOut;
    std::optional<scriptFacts> facts;     // only when asked for

    bool ok() const { return !error.has_value(); }
};

// Compiles a script's bytes as the program compiles a file that holds them:
// the same lines, checks, warnings and config bytes; the first error is the
// one the program gives. name stands for the script in messages, as the
// script's path does in the program's. Never writes a file and never prints;
// each call stands alone, so that one process may compile script after script.
//
// With wantFacts the result holds the facts (scriptFacts.h), and the compile
// reads on past each error as scriptFacts.h says, gathering up to kMostErrors
// of them: all names that name no item are found, each at its own place. A
// compile that does not ask for facts costs nothing for them.
compileResult compileText(std::string_view bytes, std::string_view name, bool wantFacts = false);

// The same on a builder the caller provides, which must be new and keeps the
// compiled state for the caller to look at (tests compare it with the config).
compileResult compileText(std::string_view bytes, std::string_view name, cnfBuilder& builder,
                          bool wantFacts = false);
