#include "lsHelp.h"

#include <algorithm>
#include <iterator>

namespace {

bool isTable(const keywordHelp& help) {
    return !help.needed.empty() || help.context == "order" || help.context == "action";
}

}  // namespace

std::string guideText(const keywordHelp& help) {
    if (!isTable(help)) return std::string(help.meaning);
    std::string row = "| `";
    row.append(help.word).append("` | ").append(help.meaning).append(" |");
    if (!help.needed.empty()) row.append(" ").append(help.needed).append(" |");
    return row;
}

const keywordHelp* findHelp(std::string_view context, std::string_view word) {
    const auto found = std::find_if(std::begin(keywordHelps), std::end(keywordHelps),
                                    [&](const keywordHelp& h) { return h.context == context && h.word == word; });
    return found == std::end(keywordHelps) ? nullptr : found;
}

// (Built by appending: GCC 12 warns wrongly about a text put before a string.)
std::string helpMarkdown(const keywordHelp& help) {
    std::string text = "**";
    text.append(help.word).append("** ");
    if (help.context == "section") {
        text.append("(section)\n\n").append(help.meaning);
        // Its parameters, as the guide's table of the section lists them.
        bool first = true;
        for (const keywordHelp& h : keywordHelps) {
            if (h.context != help.word) continue;
            text.append(first ? "\n\nParameters:" : "");
            text.append("\n- `").append(h.word).append("`: ").append(h.meaning).append(" (needed: ");
            text.append(h.needed).append(")");
            first = false;
        }
    } else if (!help.needed.empty()) {
        text.append("(parameter of a ").append(help.context == "file" ? "file item" : help.context).append(")\n\n");
        text.append(help.meaning).append("\n\nNeeded: ").append(help.needed);
    } else if (help.context == "order") {
        text.append("(order word)\n\nInserts ").append(help.meaning);
    } else if (help.context == "action") {
        text.append("(action)\n\nThe dialog: ").append(help.meaning);
    } else if (help.context == "reference") {
        text.append("(in next, kmarg and kfile)\n\n").append(help.meaning);
    } else {
        text.append("(in a tooltip)\n\n").append(help.meaning);
    }
    return text;
}
