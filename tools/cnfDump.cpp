#include "cnfDump.h"

#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "cnfAnalysis.h"

namespace {

std::string hexEscape(const char* format, unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(byte));
    return text;
}

// ---- text form ----

// A string in double quotes with the escapes both forms share; every other
// control byte (and, when escapeHigh, every byte from 0x80 up) as hexFormat.
std::string escapedString(std::string_view text, const char* hexFormat, bool escapeHigh) {
    std::string out = "\"";
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            default:
                if (byte < 0x20 || byte == 0x7F || (escapeHigh && byte >= 0x80))
                    out += hexEscape(hexFormat, byte);
                else
                    out += c;
        }
    }
    return out + "\"";
}

// Text form: bytes from 0x80 up stay as they are, in the script's own encoding.
std::string quoted(std::string_view text) { return escapedString(text, "\\x%02X", false); }

// "N "caption"" for an item number whose caption is at index, "?" when absent.
std::string numbered(std::size_t number, const std::string* caption) {
    return num(number) + " " + (caption != nullptr ? quoted(*caption) : std::string("?"));
}

// A reference slot: "none" for 0, else the item's number and caption.
template <typename item, typename nameOf>
std::string reference(std::uint16_t ref, const std::vector<item>& items, nameOf name) {
    if (ref == 0) return "none";
    const std::string* caption = ref <= items.size() ? &name(items[ref - 1]) : nullptr;
    return numbered(ref, caption);
}

std::string orderText(const cnfOrder& order) {
    return orderWords(order) + " (" + hexEscape("0x%02X", order.byte) + ")";
}

void keyBlock(std::string& out, const cnfConfig& cfg, std::size_t k) {
    if (k >= cfg.keys.size()) {
        out += "  key " + num(k) + " ?\n";
        return;
    }
    const cnfKey& key = cfg.keys[k];
    out += "  key " + num(k) + " " + quoted(key.name) + "\n";
    out += "    key data: " + (key.strNum == 2 ? quoted(key.arg) : std::string("none")) + "\n";
    out += "    order: " + orderText(key.order) + "\n";
    out += "    next list: " +
           reference(key.listRef, cfg.lists, [](const cnfList& l) -> const std::string& {
               return l.name;
           }) + "\n";
    out += "    file item: " +
           reference(key.fileRef, cfg.files, [](const cnfFile& f) -> const std::string& {
               return f.name;
           }) + "\n";
    out += "    marg: " +
           reference(key.margRef, cfg.margs, [](const cnfMarg& m) -> const std::string& {
               return m.name;
           }) + "\n";
}

void listBlock(std::string& out, const cnfConfig& cfg, std::size_t index, bool isDefault) {
    const cnfList& list = cfg.lists[index];
    out += "\nlist " + num(index + 1) + " " + quoted(list.name) +
           (isDefault ? " (default):\n" : ":\n");
    for (std::uint16_t k : list.keys) keyBlock(out, cfg, k);
}

void unlistedKeys(std::string& out, const cnfConfig& cfg) {
    const configFindings found = analyseConfig(cfg);
    bool any = false;
    for (std::size_t k = 0; k < found.keyListed.size(); ++k) {
        if (found.keyListed[k] != 0) continue;
        if (!any) out += "\nkeys in no list:\n";
        any = true;
        keyBlock(out, cfg, k);
    }
}

void fileBlocks(std::string& out, const cnfConfig& cfg) {
    for (std::size_t f = 0; f < cfg.files.size(); ++f) {
        const cnfFile& file = cfg.files[f];
        out += "\nfile item " + num(f + 1) + " " + quoted(file.name) + ": " +
               std::string(actionWord(file.action)) + "\n";
        for (std::uint8_t t : file.filters) {
            std::string name = t < cfg.filters.size()
                                   ? quoted(splitFilter(cfg.filters[t]).readable)
                                   : std::string("?");
            out += "  filter " + num(t) + " " + name + "\n";
        }
    }
}

void filterLines(std::string& out, const cnfConfig& cfg) {
    if (!cfg.filters.empty()) out += "\n";
    for (std::size_t t = 0; t < cfg.filters.size(); ++t) {
        const cnfFilterParts parts = splitFilter(cfg.filters[t]);
        out += "filter " + num(t) + " " + quoted(parts.readable) + ": patterns " +
               quoted(parts.patterns);
        if (!parts.trailing.empty()) out += ", trailing " + quoted(parts.trailing);
        out += "\n";
    }
}

void margLines(std::string& out, const cnfConfig& cfg) {
    if (!cfg.margs.empty()) out += "\n";
    for (std::size_t m = 0; m < cfg.margs.size(); ++m)
        out += "marg " + num(m + 1) + " " + quoted(cfg.margs[m].name) + ": tooltip " +
               quoted(cfg.margs[m].info) + "\n";
}

// ---- JSON form ----

// JSON form: plain ASCII, each byte from 0x80 up as the code point of the same value.
std::string jsonString(std::string_view text) { return escapedString(text, "\\u%04x", true); }

std::string jsonRef(std::uint16_t ref) { return ref == 0 ? "null" : num(ref); }

template <typename number>
std::string jsonNumbers(const std::vector<number>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i)
        out += (i == 0 ? "" : ", ") + num(values[i]);
    return out + "]";
}

std::string jsonOrder(const cnfOrder& order) {
    std::string sequence = "[";
    std::string words = orderWords(order);
    if (words != "none") {
        std::size_t start = 0;
        while (start <= words.size()) {
            std::size_t end = words.find(' ', start);
            if (end == std::string::npos) end = words.size();
            sequence += (start == 0 ? "" : ", ") + jsonString(words.substr(start, end - start));
            start = end + 1;
        }
    }
    sequence += "]";
    return "{\"byte\": " + num(order.byte) + ", \"path\": " + num(order.pathPos) +
           ", \"keys\": " + num(order.keysPos) + ", \"value\": " + num(order.valuePos) +
           ", \"sequence\": " + sequence + "}";
}

// Writes "name": [ one line per entry ] with the entries' separators.
void jsonArray(std::string& out, const char* name, const std::vector<std::string>& entries,
               bool last) {
    out += "  \"" + std::string(name) + "\": [";
    for (std::size_t i = 0; i < entries.size(); ++i)
        out += (i == 0 ? "\n    " : ",\n    ") + entries[i];
    out += entries.empty() ? "]" : "\n  ]";
    out += last ? "\n" : ",\n";
}

}  // namespace

std::string cnfDumpText(const cnfConfig& cfg) {
    const cnfHeader& h = cfg.header;
    std::string out = "version " + num(h.version) + "; lists " + num(cfg.lists.size()) +
                      ", keys " + num(cfg.keys.size()) + ", file items " +
                      num(cfg.files.size()) + ", filters " + num(cfg.filters.size()) +
                      ", margs " + num(cfg.margs.size()) + ", strings " + num(h.allStrSum) +
                      "\n\nheader items:\n";
    for (std::size_t i = 0; i < cfg.headerItems.size(); ++i)
        out += "  " + num(i + 1) + " " + quoted(cfg.headerItems[i]) + "\n";
    std::size_t def = h.defListIndex;
    if (def < cfg.lists.size()) listBlock(out, cfg, def, true);
    for (std::size_t j = 0; j < cfg.lists.size(); ++j)
        if (j != def) listBlock(out, cfg, j, false);
    unlistedKeys(out, cfg);
    fileBlocks(out, cfg);
    filterLines(out, cfg);
    margLines(out, cfg);
    return out;
}

std::string cnfDumpJson(const cnfConfig& cfg) {
    const cnfHeader& h = cfg.header;
    std::string out = "{\n  \"version\": " + num(h.version) + ",\n";
    out += "  \"counts\": {\"lists\": " + num(h.listNum) + ", \"listItems\": " +
           num(h.listItemNum) + ", \"fileFilters\": " + num(h.fileFilterNum) +
           ", \"keys\": " + num(h.keyNum) + ", \"fileItems\": " + num(h.fileNum) +
           ", \"filters\": " + num(h.filterNum) + ", \"margs\": " + num(h.margNum) +
           ", \"strings\": " + num(h.allStrSum) + "},\n";
    out += "  \"defaultList\": " + num(std::size_t{h.defListIndex} + 1) + ",\n";
    out += "  \"headerItems\": [";
    for (std::size_t i = 0; i < cfg.headerItems.size(); ++i)
        out += (i == 0 ? "" : ", ") + jsonString(cfg.headerItems[i]);
    out += "],\n";

    std::vector<std::string> entries;
    for (std::size_t j = 0; j < cfg.lists.size(); ++j)
        entries.push_back("{\"number\": " + num(j + 1) + ", \"name\": " +
                          jsonString(cfg.lists[j].name) + ", \"keys\": " +
                          jsonNumbers(cfg.lists[j].keys) + "}");
    jsonArray(out, "lists", entries, false);

    entries.clear();
    for (std::size_t k = 0; k < cfg.keys.size(); ++k) {
        const cnfKey& key = cfg.keys[k];
        entries.push_back("{\"number\": " + num(k) + ", \"name\": " + jsonString(key.name) +
                          ", \"arg\": " + (key.strNum == 2 ? jsonString(key.arg) : "null") +
                          ", \"order\": " + jsonOrder(key.order) +
                          ", \"nextList\": " + jsonRef(key.listRef) +
                          ", \"fileItem\": " + jsonRef(key.fileRef) +
                          ", \"marg\": " + jsonRef(key.margRef) + "}");
    }
    jsonArray(out, "keys", entries, false);

    entries.clear();
    for (std::size_t f = 0; f < cfg.files.size(); ++f) {
        const cnfFile& file = cfg.files[f];
        entries.push_back("{\"number\": " + num(f + 1) + ", \"name\": " +
                          jsonString(file.name) + ", \"action\": " +
                          jsonString(actionWord(file.action)) +
                          ", \"filters\": " + jsonNumbers(file.filters) + "}");
    }
    jsonArray(out, "fileItems", entries, false);

    entries.clear();
    for (std::size_t t = 0; t < cfg.filters.size(); ++t) {
        const cnfFilterParts parts = splitFilter(cfg.filters[t]);
        entries.push_back("{\"number\": " + num(t) + ", \"text\": " +
                          jsonString(cfg.filters[t]) + ", \"name\": " +
                          jsonString(parts.readable) + ", \"patterns\": " +
                          jsonString(parts.patterns) + ", \"trailing\": " +
                          jsonString(parts.trailing) + "}");
    }
    jsonArray(out, "filters", entries, false);

    entries.clear();
    for (std::size_t m = 0; m < cfg.margs.size(); ++m)
        entries.push_back("{\"number\": " + num(m + 1) + ", \"name\": " +
                          jsonString(cfg.margs[m].name) + ", \"info\": " +
                          jsonString(cfg.margs[m].info) + "}");
    jsonArray(out, "margs", entries, true);
    return out + "}\n";
}

std::string cnfJsonString(std::string_view text) { return jsonString(text); }
