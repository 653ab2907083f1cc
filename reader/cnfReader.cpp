#include "cnfReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

namespace {

constexpr std::size_t headerSize = 26;
constexpr std::size_t keyRecordSize = 10;
constexpr std::size_t fileRecordSize = 2;
constexpr std::string_view signatureText = "cnf v.";
constexpr std::uint16_t formatVersion = 2;
constexpr std::uint16_t maxListSize = 20;
constexpr std::uint8_t maxFileFilters = 5;
constexpr std::uint8_t dirAction = 2;
constexpr std::size_t headerItemCount = 6;

// Header field offsets.
constexpr std::size_t versionAt = 6;
constexpr std::size_t allStrSumAt = 8;
constexpr std::size_t defListIndexAt = 10;
constexpr std::size_t listNumAt = 12;
constexpr std::size_t listItemNumAt = 14;
constexpr std::size_t fileFilterNumAt = 16;
constexpr std::size_t keyNumAt = 18;
constexpr std::size_t fileNumAt = 20;
constexpr std::size_t filterNumAt = 22;
constexpr std::size_t margNumAt = 24;

// Key record field offsets.
constexpr std::size_t fileRefAt = 0;
constexpr std::size_t margRefAt = 2;
constexpr std::size_t listRefAt = 4;
constexpr std::size_t strNumAt = 6;
constexpr std::size_t reserved7At = 7;
constexpr std::size_t orderAt = 8;
constexpr std::size_t reserved9At = 9;

// The first broken promise; thrown inside this file only and turned into the
// malformed result by readCnf.
struct formatFault {
    std::size_t offset;
    std::string what;
};

[[noreturn]] void fail(std::size_t offset, std::string what) {
    throw formatFault{offset, std::move(what)};
}

std::string hexByte(std::uint8_t value) {
    char text[5];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(value));
    return text;
}

// Walks the sections of one file. Every read is preceded by a check that the
// bytes are there.
class cnfParser {
public:
    explicit cnfParser(std::string_view bytes) : in(bytes) {}

    cnfConfig parse() {
        readHeader();
        readKeys();
        readFiles();
        readListSizes();
        readListItems();
        readFileFilters();
        checkStringSum();
        readStrings();
        return std::move(cfg);
    }

private:
    std::uint8_t u8(std::size_t at) const { return static_cast<std::uint8_t>(in[at]); }
    std::uint16_t u16(std::size_t at) const {
        return static_cast<std::uint16_t>(u8(at) | (u8(at + 1) << 8));
    }

    // Fails when the file ends before length bytes from pos; what names them.
    void need(std::size_t length, const std::string& what) const {
        if (in.size() - pos < length)
            fail(in.size(), "file ends, expected " + what + " (" + num(length) +
                                " bytes from offset " + num(pos) + ")");
    }

    void readHeader() {
        std::size_t present = std::min(in.size(), signatureText.size());
        for (std::size_t i = 0; i < present; ++i)
            if (in[i] != signatureText[i])
                fail(i, "signature byte is " + hexByte(u8(i)) + ", expected " +
                            hexByte(static_cast<std::uint8_t>(signatureText[i])) +
                            " (the signature is \"cnf v.\")");
        if (in.size() < headerSize)
            fail(in.size(), "file ends, expected the " + num(headerSize) + "-byte header");
        cnfHeader& h = cfg.header;
        h.version = u16(versionAt);
        h.allStrSum = u16(allStrSumAt);
        h.defListIndex = u16(defListIndexAt);
        h.listNum = u16(listNumAt);
        h.listItemNum = u16(listItemNumAt);
        h.fileFilterNum = u16(fileFilterNumAt);
        h.keyNum = u16(keyNumAt);
        h.fileNum = u16(fileNumAt);
        h.filterNum = u16(filterNumAt);
        h.margNum = u16(margNumAt);
        if (h.version != formatVersion)
            fail(versionAt, "version is " + num(h.version) + ", expected " + num(formatVersion));
        if (h.defListIndex >= h.listNum)
            fail(defListIndexAt, "defListIndex is " + num(h.defListIndex) +
                                     ", expected below listNum (" + num(h.listNum) + ")");
        pos = headerSize;
    }

    void checkRef(std::size_t at, std::size_t key, const char* field, std::uint16_t value,
                  const char* countName, std::uint16_t count) const {
        if (value > count)
            fail(at, "key " + num(key) + " " + field + " is " + num(value) +
                         ", expected at most " + countName + " (" + num(count) + ")");
    }

    void readKeys() {
        const cnfHeader& h = cfg.header;
        need(keyRecordSize * h.keyNum, num(h.keyNum) + " key records");
        cfg.keys.resize(h.keyNum);
        for (std::size_t k = 0; k < h.keyNum; ++k, pos += keyRecordSize) {
            cnfKey& key = cfg.keys[k];
            key.fileRef = u16(pos + fileRefAt);
            key.margRef = u16(pos + margRefAt);
            key.listRef = u16(pos + listRefAt);
            key.strNum = u8(pos + strNumAt);
            key.reserved7 = u8(pos + reserved7At);
            key.reserved9 = u8(pos + reserved9At);
            key.order.byte = u8(pos + orderAt);
            checkRef(pos + fileRefAt, k, "fileRef", key.fileRef, "fileNum", h.fileNum);
            checkRef(pos + margRefAt, k, "margRef", key.margRef, "margNum", h.margNum);
            checkRef(pos + listRefAt, k, "listRef", key.listRef, "listNum", h.listNum);
            if (key.strNum != 1 && key.strNum != 2)
                fail(pos + strNumAt, "key " + num(k) + " strNum is " + num(key.strNum) +
                                         ", expected 1 or 2");
            readOrder(k, key);
        }
    }

    void readOrder(std::size_t k, cnfKey& key) const {
        cnfOrder& o = key.order;
        std::string which = "key " + num(k) + " order is " + hexByte(o.byte);
        if (o.byte & 0xC0) fail(pos + orderAt, which + ", expected bits 6-7 clear");
        o.pathPos = o.byte & 3;
        o.keysPos = (o.byte >> 2) & 3;
        o.valuePos = (o.byte >> 4) & 3;
        bool clash = (o.pathPos != 0 && (o.pathPos == o.keysPos || o.pathPos == o.valuePos)) ||
                     (o.keysPos != 0 && o.keysPos == o.valuePos);
        if (clash)
            fail(pos + orderAt, which + ", expected distinct positions (path " +
                                    num(o.pathPos) + ", keys " + num(o.keysPos) +
                                    ", value " + num(o.valuePos) + ")");
        std::uint8_t wanted = o.keysPos != 0 ? 2 : 1;
        if (key.strNum != wanted)
            fail(pos + strNumAt, "key " + num(k) + " strNum is " + num(key.strNum) +
                                     ", expected " + num(wanted) + " (its order " +
                                     hexByte(o.byte) +
                                     (o.keysPos != 0 ? " places keys)" : " places no keys)"));
    }

    void readFiles() {
        const cnfHeader& h = cfg.header;
        need(fileRecordSize * h.fileNum, num(h.fileNum) + " file records");
        cfg.files.resize(h.fileNum);
        std::size_t filterSum = 0;
        for (std::size_t f = 0; f < h.fileNum; ++f, pos += fileRecordSize) {
            cnfFile& file = cfg.files[f];
            file.action = u8(pos);
            file.filterCount = u8(pos + 1);
            std::string which = "file " + num(f + 1);
            if (file.action > dirAction)
                fail(pos, which + " action is " + num(file.action) +
                              ", expected 0 (load), 1 (save) or 2 (dir)");
            if (file.action == dirAction && file.filterCount != 0)
                fail(pos + 1, which + " filterCount is " + num(file.filterCount) +
                                  ", expected 0 for a dir file");
            if (file.action != dirAction &&
                (file.filterCount < 1 || file.filterCount > maxFileFilters))
                fail(pos + 1, which + " filterCount is " + num(file.filterCount) +
                                  ", expected 1 to " + num(maxFileFilters) + " for a " +
                                  std::string(actionWord(file.action)) + " file");
            filterSum += file.filterCount;
        }
        if (h.fileFilterNum != filterSum)
            fail(fileFilterNumAt, "fileFilterNum is " + num(h.fileFilterNum) + ", expected " +
                                      num(filterSum) + " (the sum of the files' filterCount)");
    }

    void readListSizes() {
        const cnfHeader& h = cfg.header;
        need(2 * std::size_t{h.listNum}, num(h.listNum) + " list sizes");
        cfg.lists.resize(h.listNum);
        std::size_t sizeSum = 0;
        for (std::size_t j = 0; j < h.listNum; ++j, pos += 2) {
            std::uint16_t size = u16(pos);
            if (size < 1 || size > maxListSize)
                fail(pos, "list " + num(j + 1) + " size is " + num(size) + ", expected 1 to " +
                              num(maxListSize));
            cfg.lists[j].keys.resize(size);
            sizeSum += size;
        }
        if (h.listItemNum != sizeSum)
            fail(listItemNumAt, "listItemNum is " + num(h.listItemNum) + ", expected " +
                                    num(sizeSum) + " (the sum of the list sizes)");
    }

    void readListItems() {
        const cnfHeader& h = cfg.header;
        need(2 * std::size_t{h.listItemNum}, num(h.listItemNum) + " list item entries");
        for (std::size_t j = 0; j < cfg.lists.size(); ++j) {
            std::vector<std::uint16_t>& keys = cfg.lists[j].keys;
            for (std::size_t e = 0; e < keys.size(); ++e, pos += 2) {
                keys[e] = u16(pos);
                if (keys[e] >= h.keyNum)
                    fail(pos, "list " + num(j + 1) + " entry " + num(e + 1) + " is key " +
                                  num(keys[e]) + ", expected below keyNum (" + num(h.keyNum) +
                                  ")");
            }
        }
    }

    void readFileFilters() {
        const cnfHeader& h = cfg.header;
        need(h.fileFilterNum, num(h.fileFilterNum) + " file filter entries");
        for (std::size_t f = 0; f < cfg.files.size(); ++f) {
            cnfFile& file = cfg.files[f];
            file.filters.resize(file.filterCount);
            for (std::size_t e = 0; e < file.filters.size(); ++e, ++pos) {
                file.filters[e] = u8(pos);
                if (file.filters[e] >= h.filterNum)
                    fail(pos, "file " + num(f + 1) + " filter entry " + num(e + 1) + " is " +
                                  num(file.filters[e]) + ", expected below filterNum (" +
                                  num(h.filterNum) + ")");
            }
        }
    }

    void checkStringSum() const {
        const cnfHeader& h = cfg.header;
        std::size_t keyStrings = 0;
        for (const cnfKey& key : cfg.keys) keyStrings += key.strNum;
        std::size_t margStrings = 2 * std::size_t{h.margNum};
        std::size_t expected =
            headerItemCount + h.listNum + keyStrings + h.fileNum + margStrings + h.filterNum;
        if (h.allStrSum != expected)
            fail(allStrSumAt, "allStrSum is " + num(h.allStrSum) + ", expected " +
                                  num(expected) + " (" + num(headerItemCount) + " + " +
                                  num(h.listNum) + " + " + num(keyStrings) + " + " +
                                  num(h.fileNum) + " + " + num(margStrings) + " + " +
                                  num(h.filterNum) + ")");
    }

    // The next 0-terminated string; role and item name it for a message.
    std::string take(const char* role, std::size_t item) {
        ++stringIndex;
        std::size_t end = in.find('\0', pos);
        if (end == std::string_view::npos) {
            std::string what = std::string(role) + " " + num(item) + " (string " +
                               num(stringIndex) + " of " + num(cfg.header.allStrSum) + ")";
            if (pos == in.size()) fail(pos, "file ends, expected " + what);
            fail(in.size(), "file ends inside " + what + ", expected its 0 byte");
        }
        std::string text(in.substr(pos, end - pos));
        pos = end + 1;
        return text;
    }

    void readStrings() {
        for (std::size_t i = 0; i < headerItemCount; ++i)
            cfg.headerItems[i] = take("header item", i + 1);
        for (std::size_t j = 0; j < cfg.lists.size(); ++j)
            cfg.lists[j].name = take("the name of list", j + 1);
        for (std::size_t k = 0; k < cfg.keys.size(); ++k) {
            cfg.keys[k].name = take("the name of key", k);
            if (cfg.keys[k].strNum == 2) cfg.keys[k].arg = take("the arg of key", k);
        }
        for (std::size_t f = 0; f < cfg.files.size(); ++f)
            cfg.files[f].name = take("the name of file", f + 1);
        cfg.margs.resize(cfg.header.margNum);
        for (std::size_t m = 0; m < cfg.margs.size(); ++m) {
            cfg.margs[m].name = take("the name of marg", m + 1);
            cfg.margs[m].info = take("the info of marg", m + 1);
        }
        cfg.filters.resize(cfg.header.filterNum);
        for (std::size_t t = 0; t < cfg.filters.size(); ++t)
            cfg.filters[t] = take("the text of filter", t);
        if (pos != in.size())
            fail(pos, num(in.size() - pos) + (in.size() - pos == 1 ? " byte follows" : " bytes follow") +
                          " the last string, expected the end of the file");
    }

    std::string_view in;
    std::size_t pos = 0;
    std::size_t stringIndex = 0;
    cnfConfig cfg;
};

}  // namespace

cnfReadResult readCnf(std::string_view bytes) {
    cnfReadResult result;
    try {
        result.config = cnfParser(bytes).parse();
        result.status = cnfReadStatus::valid;
    } catch (const formatFault& fault) {
        result.status = cnfReadStatus::malformed;
        result.offset = fault.offset;
        result.message = "offset " + num(fault.offset) + ": " + fault.what;
    }
    return result;
}

cnfReadResult readCnfFile(const std::string& path) {
    cnfReadResult result;
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        result.message = "is a folder, not a file";
        return result;
    }
    // What failed and the system's reason, as the C library leaves it in errno.
    const auto withReason = [](const char* what) {
        const int code = errno;
        return std::string(what) + ": " +
               (code != 0 ? std::generic_category().message(code) : std::string("reason unknown"));
    };
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        result.message = withReason("cannot be opened");
        return result;
    }
    errno = 0;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        result.message = withReason("cannot be read");
        return result;
    }
    return readCnf(bytes);
}

std::string num(std::size_t value) { return std::to_string(value); }

std::string orderWords(const cnfOrder& order) {
    std::string words;
    for (std::uint8_t place = 1; place <= 3; ++place) {
        const char* word = order.pathPos == place    ? "path"
                           : order.keysPos == place  ? "keys"
                           : order.valuePos == place ? "value"
                                                     : nullptr;
        if (word == nullptr) continue;
        if (!words.empty()) words += ' ';
        words += word;
    }
    return words.empty() ? "none" : words;
}

std::string_view actionWord(std::uint8_t action) {
    switch (action) {
        case 0: return "load";
        case 1: return "save";
        case 2: return "dir";
        default: return "?";
    }
}

cnfFilterParts splitFilter(std::string_view text) {
    constexpr char separator = '\x01';
    cnfFilterParts parts;
    const std::size_t first = text.find(separator);
    parts.readable = text.substr(0, first);
    if (first == std::string_view::npos) return parts;
    const std::size_t second = text.find(separator, first + 1);
    parts.patterns = text.substr(first + 1, second == std::string_view::npos ? std::string_view::npos
                                                                              : second - first - 1);
    if (second == std::string_view::npos) return parts;
    parts.trailing = text.substr(second + 1);
    if (!parts.trailing.empty()) return parts;

    // The patterns give the extensions; the readable part must end with the
    // same extensions in their readable list.
    std::vector<std::string_view> extensions;
    std::string readableList = "(*.";
    std::string_view patterns = parts.patterns;
    for (bool more = true; more;) {
        const std::size_t end = patterns.find(';');
        more = end != std::string_view::npos;
        const std::string_view pattern = patterns.substr(0, end);
        if (!pattern.starts_with("*.")) return parts;
        if (!extensions.empty()) readableList += ", *.";
        extensions.push_back(pattern.substr(2));
        readableList += pattern.substr(2);
        if (more) patterns.remove_prefix(end + 1);
    }
    readableList += ')';
    if (!parts.readable.ends_with(readableList)) return parts;
    parts.compilerShape = true;
    parts.name = parts.readable.substr(0, parts.readable.size() - readableList.size());
    parts.extensions = std::move(extensions);
    return parts;
}
