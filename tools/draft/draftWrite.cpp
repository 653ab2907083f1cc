// The script text of a drafted form, and the search for the most options
// that stay within the language's limits.
#include <algorithm>
#include <string>

#include "draft.h"
#include "draftForm.h"
#include "helpText.h"
#include "itemKinds.h"
#include "keywords.h"

namespace {

std::string orderOf(const formKey& key) {
    std::string order = "order = ";
    if (!key.data.empty()) order += "keys ";
    if (key.file >= 0) order += "path ";
    if (key.marg >= 0) order += "value ";
    const std::size_t words = std::count(order.begin(), order.end(), ' ') - 2;
    return words == 3 ? order.substr(0, order.size() - 1) : order + "disable";
}

void writeKey(std::string& out, const form& f, const formKey& key) {
    for (const std::string& c : key.comments) out += "; " + c + "\n";
    out += "key " + key.name + "\n";
    out += "  name=" + key.caption + "\n";
    out += "  " + orderOf(key) + "\n";
    if (!key.data.empty()) out += "  arg=" + key.data + "\n";
    out += "  next = " + key.next + "\n";
    out += "  kmarg = " + (key.marg >= 0 ? f.margs[key.marg].name : std::string(DISABLE)) + "\n";
    out += "  kfile = " + (key.file >= 0 ? f.files[key.file].name : std::string(DISABLE)) + "\n";
    if (!key.writesItem) return;
    if (key.marg >= 0) {
        const formMarg& m = f.margs[key.marg];
        out += "marg " + m.name + "\n  name=" + m.caption + "\n  info=" + m.info + "\n";
    } else {
        const formFile& file = f.files[key.file];
        if (!file.comment.empty()) out += "; the dialog is a guess: " + file.comment + "\n";
        out += "file " + file.name + "\n  name=" + file.caption + "\n  action = " + file.action + "\n";
        if (file.action != "dir") out += "  filters = all\n";
    }
}

struct header {
    std::string program, summary, command;
};

std::string render(const form& f, const header& h, const std::vector<std::string>& leftOut) {
    std::string out = "; A draft of a form for " + h.program + ", made by tarvelkin-draft from `" + h.command +
                      "`.\n"
                      "; It compiles as it stands: refine the captions, the dialogs and the lists, and\n"
                      "; leave out what people of this form never need.\n";
    if (!leftOut.empty()) {
        out += "; Over what one script may hold:\n";
        for (const std::string& line : leftOut) out += ";   " + line + "\n";
    }
    out += "# " + safeText(h.program) + "\n";
    out += "# " + safeText(h.summary) + "\n";
    out += "# " + safeText("drafted from `" + h.command + "`") + "\n#\n#\n#\n";
    for (const formList& list : f.lists) {
        out += "\n";
        for (const std::string& c : list.comments) out += "; " + c + "\n";
        out += "list " + list.name + "\n  name=" + list.caption + "\n  items = ";
        for (std::size_t i = 0; i < list.items.size(); ++i) out += (i == 0 ? "" : ", ") + list.items[i];
        out += "\n";
        for (std::size_t k : list.written) writeKey(out, f, f.keys[k]);
        for (const std::string& c : list.afterComments) out += "; " + c + "\n";
    }
    if (f.filterUsed) out += "\nfilter all\n  name=All files\n  exten = *\n";
    out += "\ndef " + f.lists.front().name + "\n";
    return out;
}

bool withinLimits(const form& f, const std::string& script) {
    const std::size_t lines = static_cast<std::size_t>(std::count(script.begin(), script.end(), '\n')) + 1;
    return lines <= MAX_SCR_LINE && f.lists.size() <= kindOf(LIST_KIND).most && f.keys.size() <= kindOf(KEY_KIND).most &&
           f.margs.size() <= kindOf(MARG_KIND).most && f.files.size() <= kindOf(FILE_KIND).most;
}

// The program's name without its folder and ".exe".
std::string shortName(std::string_view program) {
    std::string name(program.substr(program.find_last_of("/\\") + 1));
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".exe") == 0) name.resize(name.size() - 4);
    return name;
}

// Words of the command as one line of a comment or a header text: a line end
// or another control character in a word (a help argument may hold one) is a
// blank there.
std::string oneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    return out;
}

}  // namespace

std::size_t optionsIn(std::string_view text) { return readHelp(text).options.size(); }

draftResult draftFromHelp(std::string_view text, std::string_view program, const std::vector<std::string>& helpArgs) {
    draftResult result;
    const helpText help = readHelp(text);
    result.options = help.options.size();
    if (help.options.empty()) {
        result.error = "the help text lists no options";
        return result;
    }
    header h;
    h.program = oneLine(shortName(program));
    if (h.program.empty()) h.program = help.program.empty() ? "the program" : help.program;
    h.summary = help.summary;
    h.command = program.empty() ? h.program : oneLine(program);
    for (const std::string& arg : helpArgs) h.command.append(1, ' ').append(oneLine(arg));

    // The most options (in the text's order) whose form fits the limits.
    const formPlan plan(help);
    const auto fits = [&](std::size_t count) {
        const form f = plan.layout(count);
        return withinLimits(f, render(f, h, plan.leftOut(count)));
    };
    std::size_t count = plan.offerable();
    if (!fits(count)) {
        // The form of no option fits; search between it and all of them.
        std::size_t low = 0;
        while (low + 1 < count) {
            const std::size_t mid = low + (count - low) / 2;
            (fits(mid) ? low : count) = mid;
        }
        count = low;
    }
    const std::vector<std::string> leftOut = plan.leftOut(count);
    const form f = plan.layout(count);
    result.script = render(f, h, leftOut);
    std::size_t comments = 0;
    for (const formList& list : f.lists) comments += list.afterComments.size();
    for (const formKey& key : f.keys) comments += key.comments.size() > 1 ? 1 : 0;
    if (comments > 0)
        result.notes.push_back(std::to_string(comments) + " option" + (comments == 1 ? " is" : "s are") +
                               " offered only in part or not at all; the script says why in comments");
    for (const std::string& line : leftOut) result.notes.push_back("over what one script may hold, " + line);
    return result;
}
