#include "helpLines.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

bool isAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }

// The first character of a name after its dashes ("-?", "-#", "-@", "-:" are names too).
bool isNameHead(char c) { return isAlnum(c) || c == '?' || c == '#' || c == '@' || c == '!' || c == ':'; }
bool isNameChar(char c) { return isAlnum(c) || c == '-' || c == '_'; }

// Drops the last character of line, a whole UTF-8 sequence.
void dropLastCharacter(std::string& line) {
    while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80) line.pop_back();
    if (!line.empty()) line.pop_back();
}

// The index after the escape sequence that begins at i (at an ESC).
std::size_t afterEscape(std::string_view text, std::size_t i) {
    if (i + 1 >= text.size()) return i + 1;
    if (text[i + 1] == '[') {  // CSI: parameters, then a final byte from '@' to '~'
        std::size_t j = i + 2;
        while (j < text.size() && !(text[j] >= '@' && text[j] <= '~') && text[j] != '\n') ++j;
        return j < text.size() && text[j] != '\n' ? j + 1 : j;
    }
    if (text[i + 1] == ']') {  // OSC: up to BEL or ESC backslash
        std::size_t j = i + 2;
        while (j < text.size() && text[j] != '\a' && text[j] != '\n' && text[j] != '\x1b') ++j;
        if (j < text.size() && text[j] == '\x1b') return j + 2 <= text.size() ? j + 2 : j + 1;
        return j < text.size() && text[j] == '\a' ? j + 1 : j;
    }
    return i + 2;
}

// The length of the name that begins at i ("-a", "--all", "-maxdepth"), 0 when none does.
std::size_t nameLength(std::string_view s, std::size_t i) {
    if (i >= s.size() || s[i] != '-') return 0;
    std::size_t j = i + 1;
    if (j < s.size() && s[j] == '-') ++j;
    if (j >= s.size() || !isNameHead(s[j]) || (j == i + 2 && !isAlnum(s[j]))) return 0;
    if (!isAlnum(s[j])) return j + 1 - i;  // "-?", "-#": one character
    ++j;
    // A dot between letters or digits belongs to the name ("--http1.1").
    while (j < s.size() && (isNameChar(s[j]) || (s[j] == '.' && j + 1 < s.size() && isAlnum(s[j + 1])))) ++j;
    while (s[j - 1] == '-') --j;  // "--all-" is "--all" and a dash
    return j - i;
}

bool endsToken(std::string_view s, std::size_t i) {
    return i >= s.size() || s[i] == ' ' || s[i] == ',' || s[i] == '|' || s[i] == '/';
}

// The index of the bracket that closes the one at i (nested ones counted), or npos.
std::size_t closing(std::string_view s, std::size_t i) {
    const char open = s[i];
    const char close = open == '[' ? ']' : open == '<' ? '>' : '}';
    int depth = 0;
    for (std::size_t j = i; j < s.size() && j < i + 80; ++j) {
        if (s[j] == open) ++depth;
        if (s[j] == close && --depth == 0) return j;
    }
    return std::string_view::npos;
}

// The end of a value word from i: the next blank or ',' outside brackets.
std::size_t wordEnd(std::string_view s, std::size_t i) {
    while (i < s.size() && s[i] != ' ' && s[i] != ',') {
        if (s[i] == '[' || s[i] == '<' || s[i] == '{') {
            const std::size_t close = closing(s, i);
            if (close == std::string_view::npos) return i;
            i = close;
        }
        ++i;
    }
    return i;
}

// What may follow a name directly, in the order tried.
struct attachedForm {
    std::string_view open;
    valueForm form;
};
constexpr attachedForm attachedForms[] = {
    {"[=", valueForm::optionalEquals},  // --color[=WHEN]
    {"=", valueForm::equals},           // --size=SIZE, --stderr=e|a|c
    {"[", valueForm::optionalGlued},    // -i[SUFFIX]
    {"<", valueForm::glued},            // -n<count>
    {"{", valueForm::glued},            // -m{a,b}
};

// Reads the value written right after a name at i, if any, into name.
std::size_t readAttached(std::string_view s, std::size_t i, optionName& name) {
    for (const attachedForm& f : attachedForms) {
        if (s.substr(i, f.open.size()) != f.open) continue;
        const std::size_t end = wordEnd(s, i);
        if (end == i) return i;  // an unclosed bracket
        std::size_t from = i + f.open.size();
        std::size_t to = end;
        if (f.form == valueForm::optionalEquals || f.form == valueForm::optionalGlued) {
            to = closing(s, i);
        } else if (f.form == valueForm::glued) {
            from = i;
        }
        name.form = f.form;
        name.placeholder = std::string(s.substr(from, to - from));
        if (name.placeholder.empty()) name.placeholder = "VALUE";
        return end;
    }
    return i;
}

// The kinds of value written after a blank.
enum class placeholderKind { none, value, optionalValue, extraWord };

// The value word that begins at i ("<name>", "{a,b}", "[N]", "N[bcwk]", "FILE",
// "script-file", ";"), or none; end is where it ends.
placeholderKind readPlaceholder(std::string_view s, std::size_t i, std::size_t& end) {
    end = wordEnd(s, i);
    if (end == i) return placeholderKind::none;
    const std::string_view word = s.substr(i, end - i);
    const char c = word.front();
    if (c == '<' || c == '{') return placeholderKind::value;
    if (c == '[') {
        const std::size_t close = closing(s, i);
        std::string_view inside = s.substr(i + 1, close - i - 1);
        if (inside.size() > 3 && inside.substr(inside.size() - 3) == "...") inside.remove_suffix(3);
        bool upperWord = !inside.empty() && (isUpper(inside.front()) || inside.front() == '<');
        for (char k : inside) upperWord = upperWord && !isLower(k) && k != ' ';
        return close + 1 == end && upperWord ? placeholderKind::optionalValue : placeholderKind::value;
    }
    if (isUpper(c)) {  // FILE, N[bcwkMG], MAJOR[.MINOR], KEY=VALUE: capitals outside brackets
        int depth = 0;
        for (char k : word) {
            depth += (k == '[' || k == '<' || k == '{') ? 1 : (k == ']' || k == '>' || k == '}') ? -1 : 0;
            if (depth == 0 && isLower(k)) return placeholderKind::none;
        }
        return placeholderKind::value;
    }
    if (isLower(c)) {  // script-file, string: only where no description can follow
        for (char k : word)
            if (!isLower(k) && !isAlnum(k) && k != '-' && k != '_' && k != ':' && k != '.')
                return placeholderKind::none;
        const bool alone = end >= s.size() || s[end] == ',' || s[end] == '|' ||
                           s.substr(end, 2) == "  ";
        return alone ? placeholderKind::value : placeholderKind::none;
    }
    bool punctuation = word.size() <= 3;  // find's "-exec COMMAND ;" and "{} +"
    for (char k : word) punctuation = punctuation && !isAlnum(k);
    return punctuation ? placeholderKind::extraWord : placeholderKind::none;
}

// The length of a range marker ("...", "..", "…") at i, 0 when none.
std::size_t rangeMarker(std::string_view s, std::size_t i) {
    for (std::string_view marker : {std::string_view("..."), std::string_view("\xE2\x80\xA6"), std::string_view("..")})
        if (s.substr(i, marker.size()) == marker && i + marker.size() < s.size() && s[i + marker.size()] == ' ')
            return marker.size();
    return 0;
}

std::size_t blanksFrom(std::string_view s, std::size_t i) {
    std::size_t j = i;
    while (j < s.size() && s[j] == ' ') ++j;
    return j - i;
}

// Whether the names read so far are one option's: joined by ',', '|', '/' or
// "or", not by blanks alone as in a line that lists several options.
bool aliasesOnly(const optionHead& head) {
    return std::none_of(head.joins.begin(), head.joins.end(), [](char j) { return j == ' '; });
}

// The column at which at least three option lines hold a second option
// followed by two blanks, the most common such column; 0 when there is none.
std::size_t secondColumn(const std::vector<std::string>& lines) {
    std::map<std::size_t, int> seen;
    for (const std::string& line : lines) {
        const std::size_t indent = indentOf(line);
        if (nameLength(line, indent) == 0) continue;
        for (std::size_t p = indent + 4; p < line.size(); ++p) {
            const std::size_t n = line[p - 1] == ' ' ? nameLength(line, p) : 0;
            if (n != 0 && line.compare(p + n, 2, "  ") == 0 && p + n + 2 < line.size() &&
                line.find("  ", indent) < p)
                ++seen[p];
        }
    }
    std::pair<std::size_t, int> best{0, 2};
    for (const auto& [column, count] : seen)
        if (count > best.second) best = {column, count};
    return best.first;
}

}  // namespace

std::size_t indentOf(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && line[i] == ' ') ++i;
    return i;
}

std::vector<std::string> helpLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
        } else if (c == '\x1b') {
            i = afterEscape(text, i) - 1;
        } else if (c == '\b') {
            dropLastCharacter(line);
        } else if (c == '\t') {
            line.append(8 - line.size() % 8, ' ');
        } else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));

    const std::size_t column = secondColumn(lines);
    if (column == 0) return lines;
    std::vector<std::string> split;
    for (std::string& l : lines) {
        const std::size_t indent = indentOf(l);
        if (nameLength(l, indent) != 0 && l.size() > column && l[column - 1] == ' ' && nameLength(l, column) != 0) {
            std::string right = std::string(indent, ' ') + l.substr(column);
            l.erase(l.find_last_not_of(' ', column - 1) + 1);
            split.push_back(std::move(l));
            split.push_back(std::move(right));
        } else {
            split.push_back(std::move(l));
        }
    }
    return split;
}

bool readOptionHead(std::string_view line, std::size_t descriptionColumn, optionHead& head) {
    const std::string_view s = line;
    head = optionHead{};
    std::size_t i = indentOf(s);
    char join = 0;
    std::size_t blanks = 0;  // before the token at i
    while (i < s.size()) {
        const std::size_t start = i;
        std::size_t end = i;
        placeholderKind kind = placeholderKind::none;
        if (const std::size_t n = nameLength(s, i)) {
            optionName name;
            name.name = std::string(s.substr(i, n));
            i += n;
            // -nNUM: one letter, then capitals
            const std::string_view after = std::string_view(name.name).substr(2);
            if (name.name[1] != '-' && after.size() >= 2 && isAlnum(name.name[1]) && !isUpper(name.name[1]) &&
                isUpper(after.front()) && after.find_first_of("abcdefghijklmnopqrstuvwxyz-") == std::string_view::npos) {
                name.form = valueForm::glued;
                name.placeholder = std::string(after);
                name.name.resize(2);
            } else {
                i = readAttached(s, i, name);
            }
            if (!endsToken(s, i)) {
                if (head.names.empty()) return false;
                head.descriptionAt = start;
                break;
            }
            if (!head.names.empty()) head.joins.push_back(join != 0 ? join : ' ');
            head.names.push_back(std::move(name));
        } else if (head.names.empty()) {
            return false;
        } else if (const std::size_t m = blanks > 0 ? rangeMarker(s, i) : 0;
                   m != 0 && nameLength(s, i + m + 1) != 0 && head.rangeLast.empty()) {
            i += m + 1;
            const std::size_t length = nameLength(s, i);
            head.rangeLast = std::string(s.substr(i, length));
            i += length;
        } else if (s.compare(i, 3, "or ") == 0 && nameLength(s, i + 3) != 0) {
            join = 'o';
            i += 3;
            continue;
        } else if ((kind = readPlaceholder(s, i, end)) != placeholderKind::none && join == 0 &&
                   !(blanks == 1 && descriptionColumn != 0 && i >= descriptionColumn && end < s.size() &&
                     aliasesOnly(head) && s[i] != '<' && s[i] != '{' && s[i] != '[')) {
            optionName& last = head.names.back();
            if (last.form == valueForm::none && kind != placeholderKind::extraWord) {
                last.form = kind == placeholderKind::optionalValue ? valueForm::optionalSeparate : valueForm::separate;
                last.placeholder = std::string(s.substr(i, end - i));
            } else {
                ++last.extraWords;
            }
            i = end;
        } else {
            head.descriptionAt = i;
            break;
        }
        // What separates this token from the next.
        join = 0;
        blanks = blanksFrom(s, i);
        i += blanks;
        if (i < s.size() && (s[i] == ',' || s[i] == '|' || s[i] == '/') && blanks <= 1) {
            join = s[i];
            i += 1;
            blanks = blanksFrom(s, i);
            i += blanks;
            if (blanks >= 2 && i < s.size() && nameLength(s, i) == 0) {
                head.descriptionAt = i;
                break;
            }
        } else if (blanks != 1 && i < s.size()) {  // two blanks or more, or none before a word
            head.descriptionAt = i;
            break;
        }
    }
    if (i >= s.size() && join != 0 && join != 'o') head.continuedBy = join;
    return !head.names.empty();
}
