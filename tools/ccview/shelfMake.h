// "Make a form for a program…" on the shelf: the program run once for its
// help text (with its input closed, a time limit and a limit on what is kept
// of its output), a script drafted from that text and compiled, and both kept
// in the person's folder, where the script can be edited and compiled again.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "shelf.h"

struct formOrder {
    std::string program;                // a bare name, found in PATH as the shelf finds programs, or a full path
    std::vector<std::string> helpArgs;  // the words that make it print its help, such as "--help"
    bool replace = false;               // over a script or config of the same name
};

struct formAnswer {
    int status = 200;
    nlohmann::json body;  // {"id", "name"}, or {"error"} with "exists" when the name is taken
};

// The config's name for a program's full path: its file name, without
// ".exe" where programs end so. "" when no config can be named so.
std::string formNameOf(const std::string& program);

// Makes the form: 200 with the new config's id and file name; 404 when the
// program is not found; 422 when it cannot be started, printed no options,
// or ran past its time; 409 when NAME.sc or NAME.cc is there already and
// replace is false, or a file cannot be written; 500 for a draft the
// compiler refuses. Nothing is written unless the config compiled.
formAnswer makeForm(shelf& s, const formOrder& order);
