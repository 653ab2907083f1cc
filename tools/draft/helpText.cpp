#include "helpText.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "helpLines.h"

namespace {

std::string trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

char lowerOf(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lowerOf(s[i]) != prefix[i]) return false;
    return true;
}

bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// Drops a trailing "..." or "…"; true when there was one.
bool dropDots(std::string& word) {
    for (std::string_view dots : {std::string_view("..."), std::string_view("\xE2\x80\xA6")}) {
        if (endsWith(word, dots)) {
            word.resize(word.size() - dots.size());
            while (!word.empty() && word.back() == ' ') word.pop_back();
            return true;
        }
    }
    return false;
}

// The column at which most descriptions begin on their option's line, 0 when none does.
std::size_t descriptionColumn(const std::vector<std::string>& lines) {
    std::map<std::size_t, int> seen;
    optionHead head;
    for (const std::string& line : lines)
        if (readOptionHead(line, 0, head) && head.descriptionAt != std::string::npos && head.descriptionAt >= 2 &&
            line[head.descriptionAt - 2] == ' ')
            ++seen[head.descriptionAt];
    std::pair<std::size_t, int> best{0, 0};
    for (const auto& [column, count] : seen)
        if (count > best.second) best = {column, count};
    return best.first;
}

// Where the usage text begins in line ("Usage: prog ...", "usage: prog", a line
// ending in "Usage:"), or npos when line is no usage line. Go's "Usage of
// prog:" gives the program alone.
std::size_t usageAt(std::string_view line, std::string& goProgram) {
    const std::size_t indent = indentOf(line);
    const std::string_view rest = line.substr(indent);
    if (startsWithNoCase(rest, "usage of ") && endsWith(rest, ":")) {
        goProgram = trimmed(rest.substr(9, rest.size() - 10));
        return line.size();
    }
    if (startsWithNoCase(rest, "usage")) {
        std::size_t i = indent + 5;
        while (i < line.size() && line[i] == ' ') ++i;
        if (i < line.size() && line[i] == ':') return i + 1;
    }
    if (endsWith(line, "Usage:") || endsWith(line, "usage:")) return line.size();
    return std::string_view::npos;
}

// The words of a usage line, split at blanks outside brackets.
std::vector<std::string> usageWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    int depth = 0;
    for (char c : text) {
        if (c == '[' || c == '<' || c == '{') ++depth;
        if ((c == ']' || c == '>' || c == '}') && depth > 0) --depth;
        if (c == ' ' && depth == 0) {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

bool isOptionWord(std::string_view word) {
    std::string w;
    for (char c : word)
        if (c != '-') w += lowerOf(c);
    return w == "option" || w == "options" || w == "opts" || w == "opt" || w == "flags" || w == "switches";
}

// The options a usage group such as "-v", "-f file", "-abc" or "-Olevel" names.
std::vector<optionName> usageOptions(const std::string& group) {
    std::vector<optionName> found;
    optionHead head;
    if (!readOptionHead(group, 0, head)) return found;
    for (optionName& name : head.names) {
        const std::string& n = name.name;
        if (isOptionWord(n)) continue;
        if (n[1] != '-' && n.size() > 2 && name.form == valueForm::none) {
            // BSD style "-abc" stands for three flags; "-Olevel" (a letter repeats) for -O with a value.
            std::set<char> letters(n.begin() + 1, n.end());
            if (letters.size() == n.size() - 1) {
                for (std::size_t k = 1; k < n.size(); ++k) found.push_back({std::string{'-', n[k]}, valueForm::none, {}, 0});
            } else {
                found.push_back({n.substr(0, 2), valueForm::glued, n.substr(2), 0});
            }
            continue;
        }
        found.push_back(std::move(name));
    }
    return found;
}

struct usageRead {
    std::vector<helpOperand> operands;
    std::vector<optionName> options;
};

// The operands and options of the usage text after the program's name.
usageRead readUsage(const std::vector<std::string>& words) {
    usageRead read;
    for (std::size_t w = 1; w < words.size(); ++w) {
        std::string word = words[w];
        if (word == "..." || word == "\xE2\x80\xA6") {
            if (!read.operands.empty()) read.operands.back().repeated = true;
            continue;
        }
        bool repeated = dropDots(word);
        const bool optional = word.size() >= 2 && word.front() == '[' && word.back() == ']';
        if (optional) word = trimmed(word.substr(1, word.size() - 2));
        repeated = dropDots(word) || repeated;
        if (word.empty() || word == "--" || word == "-") continue;
        if (word.front() == '-') {
            const std::vector<optionName> names = usageOptions(word);
            read.options.insert(read.options.end(), names.begin(), names.end());
            continue;
        }
        if (isOptionWord(word)) continue;
        for (std::string& name : usageWords(word)) {
            if (name.size() > 2 && ((name.front() == '<' && name.back() == '>') || (name.front() == '{' && name.back() == '}')))
                name = name.substr(1, name.size() - 2);
            // "SRC [SRC]..." is one operand or more.
            helpOperand* last = read.operands.empty() ? nullptr : &read.operands.back();
            if (last != nullptr && last->name == name && optional && !last->optional) {
                last->repeated = true;
                continue;
            }
            read.operands.push_back({name, optional, repeated, {}});
        }
    }
    return read;
}

// One option line and its description lines, until they end.
struct optionBlock {
    optionHead head;
    std::string description;
    std::size_t indent = 0;
    std::size_t line = 0;
    std::size_t section = 0;
};

class reader {
public:
    explicit reader(helpText& help) : help_(help) {}

    // The options of a block: one, or each name its own when names only
    // stand on a line with nothing describing them ("-depth -xdev"), or each
    // side of a '/' ("--shout / --no-shout").
    void addBlock(optionBlock& block) {
        optionHead& head = block.head;
        const bool listOnly = block.description.empty() && head.names.size() >= 2 &&
                              std::all_of(head.joins.begin(), head.joins.end(), [](char j) { return j == ' '; });
        helpOption option;
        option.description = std::move(block.description);
        option.section = block.section;
        option.line = block.line;
        for (std::size_t k = 0; k < head.names.size(); ++k) {
            option.names.push_back(std::move(head.names[k]));
            const bool last = k + 1 == head.names.size();
            if (last || listOnly || head.joins[k] == '/') {
                if (last) option.rangeLast = head.rangeLast;
                add(option);
                option.names.clear();
            }
        }
    }

    // Adds the option unless each of its names was seen before. A name seen
    // before with "=word" in lower case names one value of it: "-p,
    // --indicator-style=slash" after "--indicator-style=WORD" is a flag.
    void add(helpOption option) {
        for (optionName& n : option.names) {
            const bool literal = n.form == valueForm::equals && !n.placeholder.empty() &&
                                 std::all_of(n.placeholder.begin(), n.placeholder.end(), [](char c) {
                                     return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
                                 });
            if (literal && seen_.count(n.name) != 0) {
                n.name += "=" + n.placeholder;
                n.form = valueForm::none;
                n.placeholder.clear();
            }
        }
        bool fresh = false;
        for (const optionName& n : option.names) fresh = seen_.insert(n.name).second || fresh;
        if (fresh) help_.options.push_back(option);
    }

    // The usage line's options: a value for an option listed without one, the rest first in the first section.
    void addUsageOptions(const std::vector<optionName>& names, std::size_t line) {
        std::vector<helpOption> front;
        for (const optionName& name : names) {
            if (seen_.insert(name.name).second) {
                helpOption option;
                option.names.push_back(name);
                option.line = line;
                front.push_back(std::move(option));
                continue;
            }
            for (helpOption& option : help_.options)
                for (optionName& listed : option.names) {
                    const bool valueless = std::all_of(option.names.begin(), option.names.end(),
                                                       [](const optionName& n) { return n.form == valueForm::none; });
                    if (listed.name == name.name && valueless && name.form != valueForm::none) listed = name;
                }
        }
        help_.options.insert(help_.options.begin(), front.begin(), front.end());
    }

private:
    helpText& help_;
    std::set<std::string> seen_;
};

bool isHeading(const std::string& text, bool optionFollows) {
    if (text.empty() || text.size() > 80 || text.front() == '-') return false;
    const char last = text.back();
    if (last == ':') return std::count(text.begin(), text.end(), ' ') <= 11;
    if (text.size() > 60 || std::count(text.begin(), text.end(), ' ') > 7) return false;
    return optionFollows && last != '.' && last != ',' && last != ';' && text.find(':') == std::string::npos;
}

}  // namespace

helpText readHelp(std::string_view text) {
    helpText help;
    help.sections.emplace_back();
    const std::vector<std::string> lines = helpLines(text);
    const std::size_t column = descriptionColumn(lines);
    reader read(help);

    std::vector<optionName> usageNames;
    std::size_t usageLine = 0;
    std::string firstProse;
    std::string heading;  // pending: the options that follow form its section
    std::size_t section = 0;
    optionBlock block;
    bool open = false;   // block holds an option still taking description lines
    bool blank = false;  // a blank line came since the block's last line
    bool usageGoesOn = false;  // the lines since the usage line give it other ways ("or: ...")
    const auto close = [&] {
        if (open) read.addBlock(block);
        open = false;
    };
    optionHead head;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t indent = indentOf(line);
        if (indent == line.size()) {
            blank = true;
            usageGoesOn = false;
            continue;
        }
        const bool isOption = readOptionHead(line, column, head);
        if (open && isOption && block.head.continuedBy != 0 && block.description.empty() && !blank) {
            // "--color[=WHEN]," and on the next line "--colour[=WHEN]   use markers ..."
            optionHead& names = block.head;
            names.joins.push_back(names.continuedBy);
            names.joins.insert(names.joins.end(), head.joins.begin(), head.joins.end());
            names.names.insert(names.names.end(), head.names.begin(), head.names.end());
            names.rangeLast = head.rangeLast;
            names.continuedBy = head.continuedBy;
            if (head.descriptionAt != std::string::npos) block.description = trimmed(line.substr(head.descriptionAt));
            continue;
        }
        if (open && indent > block.indent && (!blank || block.description.empty()) &&
            !(isOption && (column == 0 || indent < column || column <= block.indent))) {
            if (!block.description.empty()) block.description += ' ';
            block.description += trimmed(line);
            blank = false;
            continue;
        }
        close();
        blank = false;
        std::string goProgram;
        std::size_t at = help.usage.empty() && help.program.empty() ? usageAt(line, goProgram) : std::string::npos;
        if (at != std::string::npos) {
            usageLine = i + 1;
            if (!goProgram.empty()) {
                help.program = goProgram;
                continue;
            }
            std::size_t first = i;
            if (trimmed(line.substr(at)).empty()) {  // the usage stands on the next line
                while (++first < lines.size() && indentOf(lines[first]) == lines[first].size()) {}
                if (first == lines.size()) continue;
                at = 0;
            }
            const std::string& usage = lines[first];
            const std::size_t program = usage.find_first_not_of(' ', at);
            const std::size_t programEnd = std::min(usage.find(' ', program), usage.size());
            // Lines indented past the program's name go on with the usage (as argparse wraps it).
            std::string whole = trimmed(usage.substr(at));
            const auto goesOn = [&](const std::string& next) {
                return indentOf(next) > programEnd && indentOf(next) < next.size();
            };
            for (i = first; i + 1 < lines.size() && goesOn(lines[i + 1]); ++i) {
                whole += ' ';
                whole += trimmed(lines[i + 1]);
            }
            help.usage = whole;
            usageGoesOn = true;
            const std::vector<std::string> words = usageWords(whole);
            if (!words.empty()) {
                std::string name = words[0];
                name = name.substr(name.find_last_of("/\\") + 1);
                if (endsWith(name, ".exe")) name.resize(name.size() - 4);
                help.program = name;
            }
            usageRead usageParts = readUsage(words);
            help.operands = std::move(usageParts.operands);
            usageNames = std::move(usageParts.options);
            continue;
        }
        if (isOption) {
            usageGoesOn = false;
            if (!heading.empty()) {
                const auto known = std::find(help.sections.begin(), help.sections.end(), heading);
                section = static_cast<std::size_t>(known - help.sections.begin());
                if (known == help.sections.end()) help.sections.push_back(heading);
                heading.clear();
            }
            block = optionBlock{head, {}, indent, i + 1, section};
            if (head.descriptionAt != std::string::npos) block.description = trimmed(line.substr(head.descriptionAt));
            open = true;
            continue;
        }
        // A line of prose, a heading, or an operand's description.
        const std::string prose = trimmed(line);
        std::size_t next = i + 1;
        while (next < lines.size() && indentOf(lines[next]) == lines[next].size()) ++next;
        const bool optionFollows = next < lines.size() && readOptionHead(lines[next], column, head);
        if (isHeading(prose, optionFollows)) {
            heading = prose.back() == ':' ? trimmed(prose.substr(0, prose.size() - 1)) : prose;
            continue;
        }
        const std::size_t gap = prose.find("  ");
        for (helpOperand& operand : help.operands)
            if (indent > 0 && gap != std::string::npos && prose.compare(0, gap, operand.name) == 0 &&
                operand.description.empty())
                operand.description = trimmed(prose.substr(gap));
        if (firstProse.empty()) firstProse = prose;
        // Lines that give the usage another way ("or: prog ...", "prog move ...") describe nothing.
        usageGoesOn = usageGoesOn && (prose.rfind("or:", 0) == 0 || startsWithNoCase(prose, "or ") ||
                                      (!help.program.empty() && prose.rfind(help.program + " ", 0) == 0));
        if (help.summary.empty() && usageLine != 0 && !usageGoesOn) help.summary = prose;
    }
    close();
    if (help.summary.empty()) help.summary = firstProse;
    read.addUsageOptions(usageNames, usageLine);
    return help;
}
