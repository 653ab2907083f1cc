#include "shelfMake.h"

#include <algorithm>
#include <filesystem>

#include "childProcess.h"
#include "compileText.h"
#include "draft.h"
#include "helpRun.h"
#include "utf8.h"

namespace fs = std::filesystem;
using json = nlohmann::json;

namespace {

formAnswer refused(int status, const std::string& why) { return {status, {{"error", why}}}; }

// NAME.sc or NAME.cc (existing) is there already: the page asks whether to
// replace them.
formAnswer taken(const std::string& name, const std::vector<std::string>& existing) {
    formAnswer answer = refused(409, (existing.size() == 2 ? name + ".sc and " + name + ".cc are"
                                                           : existing[0] + " is") +
                                         " in your configs folder already");
    answer.body["exists"] = existing;
    return answer;
}

// The program's full path, or "" with why.
std::string programFound(const std::string& program, const std::string& ownFolder, std::string& why) {
    const bool isPath = program.find_first_of(fs::path::preferred_separator == '\\' ? "/\\:" : "/") !=
                        std::string::npos;
    if (isPath && !pathOfUtf8(program).is_absolute()) {
        why = program + " is not a full path: name the program, or choose it with Browse…";
        return {};
    }
    std::string found = programPath(program, isPath ? std::string() : ownFolder);
    if (found.empty())
        why = isPath ? program + " is not a program you may run"
                     : "No program named \"" + program + "\" was found in the folders of PATH";
    return found;
}

// The command as the person reads it, in quotes: "NAME ARGS...".
std::string commandShown(const std::string& name, const std::vector<std::string>& helpArgs) {
    std::string command(1, '"');
    command += name;
    for (const std::string& w : helpArgs) command.append(1, ' ').append(w);
    command += '"';
    return command;
}

}  // namespace

std::string formNameOf(const std::string& program) {
    std::string name = utf8Of(pathOfUtf8(program).filename());
    std::string tail = name.size() > 4 ? name.substr(name.size() - 4) : std::string();
    std::transform(tail.begin(), tail.end(), tail.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    if (fs::path::preferred_separator == '\\' && tail == ".exe") name.resize(name.size() - 4);
    if (name.empty() || name[0] == '.' || name.size() > 250) return {};
    return name;
}

formAnswer makeForm(shelf& s, const formOrder& order) {
    if (order.program.empty()) return refused(400, "name the program");
    std::string why;
    const std::string program = programFound(order.program, s.ownFolder(), why);
    if (program.empty()) return refused(404, why);
    const std::string name = formNameOf(program);
    if (name.empty()) return refused(422, "A config cannot be named after " + program);

    std::vector<std::string> existing = s.madeFilesOf(name);
    if (!existing.empty() && !order.replace) return taken(name, existing);

    std::vector<std::string> argv{program};
    argv.insert(argv.end(), order.helpArgs.begin(), order.helpArgs.end());
    const helpRunLimits limits;
    const helpRun run = runForHelp(argv, limits);
    if (!run.started) return refused(422, program + " cannot be started: " + run.why);
    const std::string shown = commandShown(name, order.helpArgs);
    why = whyNoHelp(run, shown, limits);
    if (!why.empty()) return refused(422, why + ": there is nothing to make a form of");

    const draftResult draft = draftFromHelp(helpTextOf(run), name, order.helpArgs);
    if (!draft.ok()) return refused(422, shown + ": " + draft.error);
    const compileResult compiled = compileText(draft.script, name + ".sc");
    if (!compiled.ok())
        return refused(500, "The form drafted for " + name + " does not compile, which is a fault of ccview: " +
                                compiled.error->message());

    std::string id;
    if (!s.keepMade(name, draft.script, compiled.config, program, order.replace, existing, id, why))
        return !existing.empty() && !order.replace ? taken(name, existing) : refused(409, why);
    return {200, {{"id", id}, {"name", name + ".cc"}}};
}
