#include "optionFacts.h"

#include <algorithm>

namespace {

bool isAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}
char lowerOf(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lowerOf);
    return out;
}

bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// The placeholder without the brackets around it and the dots after it: "<file>..." is "file".
std::string bare(std::string_view placeholder) {
    std::string_view p = placeholder;
    while (endsWith(p, "...")) p.remove_suffix(3);
    while (p.size() >= 2 && ((p.front() == '<' && p.back() == '>') || (p.front() == '[' && p.back() == ']') ||
                             (p.front() == '{' && p.back() == '}')))
        p = p.substr(1, p.size() - 2);
    if (!p.empty() && p.front() == '=') p.remove_prefix(1);
    return std::string(p);
}

// The words of a placeholder, lower case: "script-file" gives "script", "file".
std::vector<std::string> wordsOf(std::string_view text) {
    std::vector<std::string> words(1);
    for (char c : text) {
        if (isAlnum(c)) words.back() += lowerOf(c);
        else if (!words.back().empty()) words.emplace_back();
    }
    if (words.back().empty()) words.pop_back();
    return words;
}

bool namesFolder(const std::string& w) {
    static const char* const folders[] = {"dir", "dirs", "directory", "directories", "folder", "folders", "dirname"};
    return std::find(std::begin(folders), std::end(folders), w) != std::end(folders) ||
           (w.size() <= 8 && endsWith(w, "dir"));
}

bool namesFile(const std::string& w) {
    static const char* const files[] = {"file", "files", "filename", "filenames", "path", "paths", "pathname",
                                        "archive"};
    return std::find(std::begin(files), std::end(files), w) != std::end(files) ||
           (endsWith(w, "file") && w != "profile");
}

// Where text holds one of words at the start of a word of its own, the earliest; npos when it holds none.
std::size_t firstWordAt(const std::string& text, std::initializer_list<std::string_view> words, std::string_view& found) {
    std::size_t best = std::string::npos;
    for (std::string_view w : words) {
        for (std::size_t at = text.find(w); at != std::string::npos; at = text.find(w, at + 1)) {
            if (at > 0 && isAlnum(text[at - 1])) continue;
            if (at < best) {
                best = at;
                found = w;
            }
            break;
        }
    }
    return best;
}

// The quoted words that follow what introduces choices ("one of", "can be",
// "WHEN is") in the same sentence: 'always', 'never', or 'auto'.
std::vector<std::string> choicesIn(std::string_view description, std::string_view placeholder) {
    const std::string text(description);
    const std::string low = lowered(description);
    std::size_t at = std::string::npos;
    for (std::string_view marker : {"one of", "can be", "may be", "must be", "either"})
        at = std::min(at, low.find(marker));
    if (!placeholder.empty()) at = std::min(at, text.find(std::string(placeholder) + " is "));
    std::vector<std::string> choices;
    if (at == std::string::npos) return choices;
    for (std::size_t i = at; i < text.size(); ++i) {
        if (text[i] == ';' || (text[i] == '.' && (i + 1 == text.size() || text[i + 1] == ' '))) break;
        const bool curly = text.compare(i, 3, "\xE2\x80\x98") == 0;  // a left single quotation mark
        if (text[i] != '\'' && text[i] != '"' && text[i] != '`' && !curly) continue;
        const std::size_t from = i + (curly ? 3 : 1);
        std::size_t end = from;
        while (end < text.size() && (isAlnum(text[end]) || text[end] == '-' || text[end] == '_' || text[end] == '.'))
            ++end;
        const bool closed = end < text.size() && (text[end] == '\'' || text[end] == '"' ||
                                                  text.compare(end, 3, "\xE2\x80\x99") == 0);
        if (!closed || end == from) continue;
        choices.push_back(text.substr(from, end - from));
        i = end;
    }
    if (choices.size() < 2) choices.clear();
    return choices;
}

// The choices a placeholder lists itself: "{fast,slow}", "e|a|c", "[yes|no]".
std::vector<std::string> choicesOf(const std::string& placeholder) {
    const char separator = placeholder.find('|') != std::string::npos ? '|' : ',';
    std::vector<std::string> choices(1);
    for (char c : placeholder) {
        if (c == separator) choices.emplace_back();
        else if (isAlnum(c) || c == '-' || c == '_' || c == '.') choices.back() += c;
        else return {};
    }
    const bool allWords = std::none_of(choices.begin(), choices.end(), [](const std::string& c) { return c.empty(); });
    return choices.size() >= 2 && allWords ? choices : std::vector<std::string>{};
}

bool isLong(const std::string& name) { return name.size() > 2 && name[1] == '-'; }

// The members of a range of one-character options: "-0" and "-9" give "-0" to "-9".
std::vector<std::string> rangeOf(const std::string& first, const std::string& last) {
    std::vector<std::string> members;
    if (first.size() != 2 || last.size() != 2 || first[0] != '-' || last[0] != '-' || !isAlnum(first[1]) ||
        !isAlnum(last[1]) || first[1] >= last[1] || last[1] - first[1] > 18)
        return members;
    for (char c = first[1]; c <= last[1]; ++c)
        if (isAlnum(c)) members.push_back(std::string{'-', c});
    return members;
}

std::string shownWith(const optionName& n) {
    switch (n.form) {
        case valueForm::none: return n.name;
        case valueForm::separate: return n.name + " " + n.placeholder;
        case valueForm::optionalSeparate: return n.name + " [" + n.placeholder + "]";
        case valueForm::equals: return n.name + "=" + n.placeholder;
        case valueForm::optionalEquals: return n.name + "[=" + n.placeholder + "]";
        case valueForm::glued: return n.name + n.placeholder;
        case valueForm::optionalGlued: return n.name + "[" + n.placeholder + "]";
    }
    return n.name;
}

}  // namespace

valueFacts valueFactsOf(std::string_view placeholder, std::string_view description, std::string_view name) {
    valueFacts facts;
    const std::string word = bare(placeholder);
    // "e|a|c" and "{fast,slow}" list the values; "<data|filename>" names what the value may be.
    const bool lists = !placeholder.empty() && placeholder.front() != '<' && !choicesOf(word).empty();
    facts.choices = lists ? choicesOf(word) : choicesIn(description, word);
    facts.caption = safeText(lists ? nameBase(name) : word);
    if (facts.caption.empty()) facts.caption = "value";
    const std::vector<std::string> words = wordsOf(word);
    if (std::any_of(words.begin(), words.end(), namesFolder)) {
        facts.kind = valueKind::folder;
        return facts;
    }
    if (!std::any_of(words.begin(), words.end(), namesFile)) return facts;
    facts.kind = valueKind::file;
    // Whichever the description says first: that the file is written, or that it is read.
    const std::string low = lowered(description);
    std::string_view writes;
    std::string_view reads;
    const std::size_t written = firstWordAt(low, {"write", "output", "save", "store", "create", "dump", "log to"}, writes);
    const std::size_t read = firstWordAt(low, {"read", "from", "input", "load"}, reads);
    const bool outWord = std::any_of(words.begin(), words.end(), [](const std::string& w) {
        return w == "output" || w == "out" || w == "outfile" || w == "outdir";
    });
    if (outWord) {
        facts.save = true;
        facts.guess = "a save dialog, as the placeholder " + word + " names an output";
    } else if (written < read) {
        facts.save = true;
        facts.guess = "a save dialog, as the description says \"" + std::string(writes) + "\"";
    } else if (read == std::string::npos) {
        facts.guess = "an open dialog, as nothing says that the file is written";
    }
    if (facts.guess.empty() && std::find(words.begin(), words.end(), "path") != words.end())
        facts.guess = "an open dialog, though " + word + " may name a folder";
    return facts;
}

optionOffers offersOf(const helpOption& option) {
    optionOffers offers;
    const std::vector<optionName>& names = option.names;
    if (!option.rangeLast.empty()) {
        offers.range = rangeOf(names.front().name, option.rangeLast);
        if (offers.range.empty())
            offers.leftOut = "a range of options that the draft cannot count out, or of more than 19";
        return offers;
    }
    // The name the key inserts: the first long one, else the first of several letters, else the first.
    auto primary = std::find_if(names.begin(), names.end(), [](const optionName& n) { return isLong(n.name); });
    if (primary == names.end())
        primary = std::find_if(names.begin(), names.end(), [](const optionName& n) { return n.name.size() > 2; });
    if (primary == names.end()) primary = names.begin();
    // The name whose value the help shows: the primary's own, else another's.
    auto valued = primary->form != valueForm::none
                      ? primary
                      : std::find_if(names.begin(), names.end(), [](const optionName& n) { return n.form != valueForm::none; });
    const std::string& name = primary->name;
    // "--no-OPTION" stands for a family of options, named by the word in capitals.
    std::size_t run = 0;
    std::size_t capitals = 0;  // the longest run of them
    for (char c : name) {
        run = c >= 'A' && c <= 'Z' ? run + 1 : 0;
        capitals = std::max(capitals, run);
    }
    if (name.size() >= 3 && name[1] >= 'A' && name[1] <= 'Z' && capitals == name.size() - 1) {
        offers.leftOut = "it stands for a number written as an option, such as -5, which a key cannot take";
        return offers;
    }
    if (capitals >= 3) {
        offers.leftOut = "it stands for a family of options, whose names the help does not list";
        return offers;
    }
    if (valued == names.end()) {
        offers.keys.push_back({name, name, false});
        return offers;
    }
    offers.placeholder = valued->placeholder;
    if (valued->extraWords > 0) {
        offers.leftOut = "it takes more than one value, and a key inserts one";
        return offers;
    }
    const std::string& ph = valued->placeholder;
    const valueForm form = valued->form;
    const bool joined = (form == valueForm::equals || form == valueForm::optionalEquals) && isLong(name);
    const keyOffer withValue = joined ? keyOffer{name + "=", name + "=" + ph, true} : keyOffer{name, name + " " + ph, true};
    if (form == valueForm::glued) {
        // "-Olevel": a program that writes it so may well take no "-O level".
        offers.leftOut = "its value is written glued to " + valued->name + " (" + valued->name + ph +
                         "), which a key cannot insert";
    } else if (form == valueForm::optionalGlued) {
        offers.keys.push_back({name, name, false});
        offers.leftOut = "its value is written glued to " + valued->name + " (" + valued->name + ph +
                         "), which a key cannot insert; offered without it";
    } else if (form == valueForm::optionalEquals || form == valueForm::optionalSeparate) {
        offers.keys.push_back({name, name, false});
        offers.keys.push_back(withValue);
    } else {
        offers.keys.push_back(withValue);
    }
    return offers;
}

std::string writtenForm(const helpOption& option) {
    std::string text;
    for (const optionName& n : option.names) {
        if (!text.empty()) text += ", ";
        text += shownWith(n);
        for (int k = 0; k < n.extraWords; ++k) text += " \xE2\x80\xA6";
    }
    if (!option.rangeLast.empty()) text += " \xE2\x80\xA6 " + option.rangeLast;
    return text;
}

std::string safeText(std::string_view text) {
    std::string out;
    for (char c : text) out += c == ';' ? ',' : c;
    for (;;) {
        const std::size_t first = out.find_first_not_of(" :=");
        out.erase(0, first == std::string::npos ? out.size() : first);
        const std::size_t last = out.find_last_not_of(' ');
        out.erase(last == std::string::npos ? 0 : last + 1);
        const bool quoted = out.size() >= 2 && (out.front() == '"' || out.front() == '\'') && out.back() == out.front() &&
                            out.find(out.front(), 1) == out.size() - 1;
        if (!quoted) return out;
        out = out.substr(1, out.size() - 2);
    }
}

std::string tooltipText(std::string_view text) {
    const std::string safe = safeText(text);
    std::string out;
    for (std::size_t i = 0; i < safe.size(); ++i) {
        out += safe[i];
        // "<@" would be a line break, and "\n" reads as one: a blank goes between.
        const char next = i + 1 < safe.size() ? safe[i + 1] : '\0';
        if ((safe[i] == '<' && next == '@') || (safe[i] == '\\' && next == 'n')) out += ' ';
    }
    return out;
}

std::string keyCaption(std::string_view description, std::string_view shown) {
    // The first clause: up to a ';' or the end of the first sentence.
    std::string sentence = safeText(description.substr(0, description.find(';')));
    std::size_t at = sentence.find(". ");
    if (at != std::string::npos) sentence.erase(at);
    // "Show this help." loses its full stop; "entries starting with ." keeps it.
    if (sentence.size() >= 2 && sentence.back() == '.' && isAlnum(sentence[sentence.size() - 2])) sentence.pop_back();
    at = sentence.find(", ");
    if (sentence.size() > 60 && at != std::string::npos && at >= 20) sentence.erase(at);
    if (sentence.size() > 60) {
        std::size_t cut = sentence.rfind(' ', 58);
        if (cut == std::string::npos || cut < 20) cut = 58;
        while (cut > 0 && (static_cast<unsigned char>(sentence[cut]) & 0xC0) == 0x80) --cut;
        sentence.erase(cut);
        sentence += "\xE2\x80\xA6";
    }
    if (!sentence.empty() && sentence.front() >= 'a' && sentence.front() <= 'z')
        sentence.front() = static_cast<char>(sentence.front() - 'a' + 'A');
    if (sentence.empty()) return safeText(shown);
    return safeText(sentence + " (" + std::string(shown) + ")");
}

std::string nameBase(std::string_view text) {
    std::string base;
    for (char c : text) {
        if (isAlnum(c) || c == '_' || c == '.') base += c;
        else if (!base.empty() && base.back() != '-') base += '-';
    }
    while (!base.empty() && base.back() == '-') base.pop_back();
    return base;
}
