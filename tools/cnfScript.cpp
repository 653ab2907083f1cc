#include "cnfScript.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "itemKinds.h"
#include "keywords.h"

namespace {

constexpr char filterSeparator = '\x01';

// Why no script gives the config; thrown inside this file only.
struct refusal {
    std::string why;
};

[[noreturn]] void refuse(std::string why) { throw refusal{std::move(why)}; }

std::string num(std::size_t value) { return std::to_string(value); }

bool holds(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// How the compiler reads a text off its line, after the keyword.
enum class valueRule {
    header,    // after '#': leading blanks, ':' and '=' skipped; the rest of the line
    stripped,  // list and marg caption: leading blanks, ':' and '=' skipped; ends at the first ';'
    tooltip,   // as stripped, then every "<@" becomes a line break
    oneMark,   // key, file item and filter caption: one '=' skipped; ends at the first ';'
    keyData,   // one '=' skipped; ends at the last ';' (unless that is its first character)
};

// The text as it is written after its keyword and '=', or the refusal naming
// subject ("the caption of list 1").
std::string scriptValue(const std::string& subject, std::string_view text, valueRule rule) {
    const auto fail = [&subject](const char* reason) { refuse(subject + " " + reason); };
    std::string value;
    if (rule == valueRule::tooltip) {
        if (holds(text, KS_TOOL_TIP_ENDL)) fail("holds \"<@\", which a script reads as a line break");
        for (char c : text) {
            if (c == '\n') value += KS_TOOL_TIP_ENDL;
            else value += c;
        }
    } else {
        if (holds(text, "\n")) fail("holds a line break, which ends a script line");
        value = text;
    }
    const bool skipsNoise = rule == valueRule::header || rule == valueRule::stripped ||
                            rule == valueRule::tooltip;
    if (skipsNoise && !value.empty()) {
        if (value.front() == ' ') fail("begins with a blank, which the script reader skips");
        if (value.front() == ':') fail("begins with ':', which the script reader skips");
        if (value.front() == '=') fail("begins with '=', which the script reader skips");
    }
    if (holds(value, ";")) {
        if (rule == valueRule::keyData) return value + ';';
        if (rule != valueRule::header) fail("holds ';', which ends it in a script");
    }
    return value;
}

// A filter's display text taken apart the way the compiler put it together.
struct filterParts {
    std::string_view name;
    std::vector<std::string_view> extensions;
};

filterParts splitFilter(std::size_t number, std::string_view text) {
    const std::string subject = "the text of filter " + num(number);
    const auto misshapen = [&subject]() {
        refuse(subject + " is not of the shape the compiler makes: "
                         "NAME(*.E1, *.E2) 0x01 *.E1;*.E2 0x01");
    };
    const std::size_t first = text.find(filterSeparator);
    if (first == std::string_view::npos) misshapen();
    const std::size_t second = text.find(filterSeparator, first + 1);
    if (second == std::string_view::npos || second + 1 != text.size()) misshapen();

    filterParts parts;
    std::string readable = "(*.";
    std::string_view patterns = text.substr(first + 1, second - first - 1);
    for (bool more = true; more;) {
        const std::size_t end = patterns.find(';');
        more = end != std::string_view::npos;
        const std::string_view pattern = patterns.substr(0, end);
        if (pattern.substr(0, 2) != "*.") misshapen();
        if (!parts.extensions.empty()) readable += ", *.";
        parts.extensions.push_back(pattern.substr(2));
        readable += pattern.substr(2);
        if (more) patterns.remove_prefix(end + 1);
    }
    readable += ')';
    const std::string_view head = text.substr(0, first);
    if (!head.ends_with(readable)) misshapen();
    if (parts.extensions.size() > MAX_EXTENSION_SUM)
        refuse(subject + " has " + num(parts.extensions.size()) +
               " extensions, and a script gives at most " + num(MAX_EXTENSION_SUM));
    parts.name = head.substr(0, head.size() - readable.size());
    return parts;
}

// An extension as written in an "exten" line. The names there lose their
// blanks, end at ',' or ';', and skip a leading '='; the compiler drops the byte
// 0x01 from them, so a 0x01 written before a leading '=' keeps it.
std::string scriptExtension(std::size_t filter, std::size_t index, std::string_view extension) {
    const std::string subject = "extension " + num(index + 1) + " of filter " + num(filter);
    if (holds(extension, "\n")) refuse(subject + " holds a line break, which ends a script line");
    if (holds(extension, " ")) refuse(subject + " holds a blank, which the script reader drops");
    if (holds(extension, ",")) refuse(subject + " holds ',', which separates extensions in a script");
    return (extension.starts_with('=') ? std::string(1, filterSeparator) : std::string()) +
           std::string(extension);
}

// The words of an order line. Each place from 1 to the last one used gets the
// element at that place or, when none is there, the element at the nearest
// later place: a repeated word keeps its last place. "disable" ends an order
// that uses fewer than three places.
std::string orderLine(const cnfOrder& order) {
    const std::pair<std::uint8_t, const char*> elements[] = {
        {order.pathPos, "path"}, {order.keysPos, "keys"}, {order.valuePos, "value"}};
    std::uint8_t last = 0;
    for (const auto& element : elements) last = std::max(last, element.first);
    std::string words;
    for (std::uint8_t place = 1; place <= last; ++place) {
        std::uint8_t nearest = 4;
        const char* chosen = "";
        for (const auto& [at, word] : elements) {
            if (at >= place && at < nearest) {
                nearest = at;
                chosen = word;
            }
        }
        words += words.empty() ? "" : " ";
        words += chosen;
    }
    if (last < 3) words += words.empty() ? "disable" : " disable";
    return words;
}

class scriptWriter {
public:
    explicit scriptWriter(const cnfConfig& config) : cfg(config) {}

    std::string write() {
        checkCounts();
        for (std::size_t i = 0; i < cfg.headerItems.size(); ++i) {
            const std::string item =
                scriptValue("header item " + num(i + 1), cfg.headerItems[i], valueRule::header);
            line(item.empty() ? "#" : "# " + item);
        }
        writeLists();
        writeKeys();
        writeFiles();
        writeFilters();
        writeMargs();
        line("");
        line("def list" + num(std::size_t{cfg.header.defListIndex} + 1));
        return std::move(out);
    }

private:
    void checkCounts() const {
        const std::size_t counts[] = {0, cfg.lists.size(), cfg.keys.size(), cfg.files.size(),
                                      cfg.filters.size(), cfg.margs.size()};
        for (std::uint32_t kind = LIST_KIND; kind < DEF_KIND; ++kind)
            if (counts[kind] > kindOf(kind).most)
                refuse("the config holds " + num(counts[kind]) + " " + std::string(kindOf(kind).name) +
                       "s, and a script holds at most " + num(kindOf(kind).most));
    }

    // A line and its line feed; a carriage return at its end is doubled.
    void line(std::string_view text) {
        out += text;
        if (text.ends_with('\r')) out += '\r';
        out += '\n';
    }

    void section(const char* kind, std::size_t number, bool firstOfKind) {
        if (firstOfKind) line("");
        line(std::string(kind) + " " + kind + num(number));
    }

    void text(const char* keyword, const std::string& subject, std::string_view value, valueRule rule) {
        line("  " + std::string(keyword) + "=" + scriptValue(subject, value, rule));
    }

    void words(const char* keyword, const std::string& value) {
        line("  " + std::string(keyword) + " = " + value);
    }

    // "disable" for 0, else the name of the item numbered ref.
    void reference(const char* keyword, const char* kind, std::uint16_t ref) {
        words(keyword, ref == 0 ? std::string(DISABLE) : kind + num(ref));
    }

    template <typename number>
    static std::string names(const char* kind, const std::vector<number>& numbers) {
        std::string list;
        for (std::size_t i = 0; i < numbers.size(); ++i)
            list += (i == 0 ? "" : ", ") + (kind + num(numbers[i]));
        return list;
    }

    void writeLists() {
        for (std::size_t j = 0; j < cfg.lists.size(); ++j) {
            section("list", j + 1, j == 0);
            text("name", "the caption of list " + num(j + 1), cfg.lists[j].name, valueRule::stripped);
            words("items", names("key", cfg.lists[j].keys));
        }
    }

    static void checkKey(std::size_t k, const cnfKey& key) {
        const std::string subject = "key " + num(k);
        if (key.reserved7 != 0 || key.reserved9 != 0)
            refuse(subject + " has a reserved byte that is not 0, and the compiler writes 0");
        if (key.order.keysPos != 0) return;
        if (key.order.pathPos == 0 && key.fileRef != 0)
            refuse(subject + " names file item " + num(key.fileRef) +
                   " while its order places neither keys nor path, which the compiler refuses");
        if (key.order.valuePos == 0 && key.margRef != 0)
            refuse(subject + " names marg " + num(key.margRef) +
                   " while its order places neither keys nor value, which the compiler refuses");
        if (key.fileRef == 0 && key.margRef == 0 && key.listRef == 0)
            refuse(subject +
                   " has no key data, next list, marg or file item, which the compiler refuses");
    }

    void writeKeys() {
        for (std::size_t k = 0; k < cfg.keys.size(); ++k) {
            const cnfKey& key = cfg.keys[k];
            checkKey(k, key);
            section("key", k, k == 0);
            text("name", "the caption of key " + num(k), key.name, valueRule::oneMark);
            words("order", orderLine(key.order));
            if (key.strNum == 2)
                text("arg", "the key data of key " + num(k), key.arg, valueRule::keyData);
            reference("next", "list", key.listRef);
            reference("kmarg", "marg", key.margRef);
            reference("kfile", "file", key.fileRef);
        }
    }

    void writeFiles() {
        for (std::size_t f = 0; f < cfg.files.size(); ++f) {
            const cnfFile& file = cfg.files[f];
            section("file", f + 1, f == 0);
            text("name", "the caption of file item " + num(f + 1), file.name, valueRule::oneMark);
            words("action", std::string(actionWord(file.action)));
            if (file.action != DIR) words("filters", names("filter", file.filters));
        }
    }

    void writeFilters() {
        for (std::size_t t = 0; t < cfg.filters.size(); ++t) {
            const filterParts parts = splitFilter(t, cfg.filters[t]);
            section("filter", t, t == 0);
            text("name", "the name of filter " + num(t), parts.name, valueRule::oneMark);
            std::string extensions = "  exten =";
            for (std::size_t i = 0; i < parts.extensions.size(); ++i) {
                const std::string extension = scriptExtension(t, i, parts.extensions[i]);
                if (i != 0) extensions += ',';
                if (!extension.empty()) (extensions += ' ') += extension;
            }
            line(extensions);
        }
    }

    void writeMargs() {
        for (std::size_t m = 0; m < cfg.margs.size(); ++m) {
            section("marg", m + 1, m == 0);
            text("name", "the caption of marg " + num(m + 1), cfg.margs[m].name, valueRule::stripped);
            text("info", "the tooltip of marg " + num(m + 1), cfg.margs[m].info, valueRule::tooltip);
        }
    }

    const cnfConfig& cfg;
    std::string out;
};

}  // namespace

cnfScriptResult cnfScript(const cnfConfig& cfg) {
    cnfScriptResult result;
    try {
        result.script = scriptWriter(cfg).write();
    } catch (const refusal& r) {
        result.why = r.why;
    }
    return result;
}
