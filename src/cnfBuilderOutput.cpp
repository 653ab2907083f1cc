// Resolution of names into item numbers, the config bytes and the summary.
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "cnfBuilder.h"
#include "files.h"

void cnfBuilder::buildCnf() {
    // (A line a section never reached, when reading on past its error, has no text.)
    for (std::uint32_t list = 0; list < listItems.size(); ++list) {
        listSizes.push_back(listItems[list].text.data() == nullptr
                                ? 0
                                : getNubs(listItems[list], keyMap, itemNumbers, MAX_ITEMS_SUM,
                                          {"items", LIST_KIND, list, KEY_KIND}));
    }
    listItemNum = static_cast<std::uint16_t>(itemNumbers.size());

    fileFilterNum = 0;
    for (std::uint32_t i = 0; i < fileFilters.size(); ++i) {
        fileConf& file = files[i];
        // A folder browser's entry is a placeholder and is not read.
        file.filterCount = file.action == DIR || fileFilters[i].text.data() == nullptr ? 0
                           : static_cast<std::uint8_t>(getNubs(fileFilters[i], filterMap, itemNumbers,
                                                               MAX_FILTERS_SUM,
                                                               {"filters", FILE_KIND, i, FILTER_KIND}));
        fileFilterNum = static_cast<std::uint16_t>(fileFilterNum + file.filterCount);
    }

    getKeyParamNumbs();
    std::memcpy(signature, "cnf v.", sizeof signature);
    version = THIS_CNF_VERSION;
    allStrSum = getAllStrSum();
    error.itemIndex = 0;
    const referenceInfo def{"def", 0, 0, LIST_KIND};
    if (facts == nullptr || !defLineToCome())
        defListIndex = static_cast<std::uint16_t>(getNumFromMap(listMap, defArg.text, defArg.line, def) - 1);
    listNum = static_cast<std::uint16_t>(kindOf(LIST_KIND).count(listCounter));
    keyNum = static_cast<std::uint16_t>(kindOf(KEY_KIND).count(keyCounter));
    fileNum = static_cast<std::uint16_t>(kindOf(FILE_KIND).count(fileCounter));
    filterNum = static_cast<std::uint16_t>(kindOf(FILTER_KIND).count(filterCounter));
    margNum = static_cast<std::uint16_t>(kindOf(MARG_KIND).count(margCounter));
    // What an error left unresolved would seem unused.
    if (errors.empty()) warnUnusedItems();
}

// Resolves the comma-separated names of one "items" or "filters" line, at most
// limit of them, appending their numbers to out. At least one name is always
// looked up; the names behind the limit are not looked up, only named in a warning.
std::uint32_t cnfBuilder::getNubs(storeParam& ref, const nameMap& map,
                                  std::vector<std::uint32_t>& out, std::uint32_t limit,
                                  const referenceInfo& info) {
    // The rest of an items or filters line, which a NUL follows.
    lineText text = lineText::beforeNul(ref.text);
    std::uint32_t count = 0;
    bool more = true;
    while (more) {
        if (count == limit) {
            droppedNames dropped;
            while (more && !dropped.complete()) {
                const char* const from = text.begin();
                const std::string name(parser.paramView(text, more, paramScratch));
                dropped.add(name, parserScr::paramAsWritten({from, static_cast<std::size_t>(text.begin() - from)}));
            }
            if (!dropped.empty())
                warn(ref.line, parser.spanOf(dropped.firstWritten),
                     itemText(info.ownerKind, info.owner) + " takes at most " + std::to_string(limit) + " " +
                         std::string(kindOf(info.targetKind).name) + "s; dropped: " + dropped.list());
            break;
        }
        const char* const from = text.begin();
        itemName = parser.paramView(text, more, paramScratch);
        error.itemIndex = static_cast<std::int32_t>(count);
        // What the reader took the name from, found in the line only for a message.
        const std::string_view taken(from, static_cast<std::size_t>(text.begin() - from));
        out.push_back(getNumFromMap(map, itemName, ref.line, info, taken));
        ++count;
    }
    return count;
}

void cnfBuilder::getKeyParamNumbs() {
    error.itemIndex = 0;
    for (std::uint32_t k = 0; k < keys.size(); ++k) {
        const storeParam& next = keyNextLists[k];
        const storeParam& file = keyFiles[k];
        const storeParam& marg = keyMargs[k];
        if (next.line != 0)
            keys[k].listRef = static_cast<std::uint16_t>(
                getNumFromMap(listMap, next.text, next.line, {"next", KEY_KIND, k, LIST_KIND}));
        if (file.line != 0)
            keys[k].fileRef = static_cast<std::uint16_t>(
                getNumFromMap(fileMap, file.text, file.line, {"kfile", KEY_KIND, k, FILE_KIND}));
        if (marg.line != 0)
            keys[k].margRef = static_cast<std::uint16_t>(
                getNumFromMap(margMap, marg.text, marg.line, {"kmarg", KEY_KIND, k, MARG_KIND}));
    }
}

std::uint16_t cnfBuilder::getAllStrSum() const {
    std::uint16_t sum = static_cast<std::uint16_t>(listStrings.size());
    for (const keyConf& key : keys) sum = static_cast<std::uint16_t>(sum + key.strNum);
    sum = static_cast<std::uint16_t>(sum + fileStrings.size() + filterStrings.size() +
                                     2 * margStrings.size() + headerStrings.size());
    return sum;
}

namespace {

// Writes the config into a buffer sized beforehand; numbers little-endian.
class byteWriter {
public:
    explicit byteWriter(char* start) : at(start) {}
    void put8(std::uint32_t value) { *at++ = static_cast<char>(value & 0xFFu); }
    void put16(std::uint32_t value) {
        put8(value);
        put8(value >> 8);
    }
    void putBytes(const char* bytes, std::size_t size) {
        if (size != 0) std::memcpy(at, bytes, size);
        at += size;
    }
    // A text of the string area, ended by its NUL.
    void putString(std::string_view text) {
        putBytes(text.data(), text.size());
        *at++ = '\0';
    }
    const char* position() const { return at; }

private:
    char* at;
};

}  // namespace

std::string cnfBuilder::cnfBytes() const {
    const configBytes bytes = buildConfig();
    return std::string(bytes.bytes.get(), bytes.size);
}

cnfBuilder::configBytes cnfBuilder::buildConfig() const {
    const std::size_t listEntries = static_cast<std::size_t>(listItemNum) + fileFilterNum;
    std::size_t size = 26 + 10 * static_cast<std::size_t>(keyNum) + 2 * static_cast<std::size_t>(fileNum) +
                       2 * static_cast<std::size_t>(listNum) + 2 * static_cast<std::size_t>(listItemNum) +
                       fileFilterNum;
    const auto addSizes = [&size](const auto& texts) {
        for (const auto& text : texts) size += text.size() + 1;
    };
    addSizes(headerStrings);
    addSizes(listStrings);
    addSizes(fileStrings);
    addSizes(filterStrings);
    for (std::size_t k = 0; k < keyStrings.size(); ++k)
        size += keyStrings[k].str1.size() + 1 + (keys[k].strNum == 2 ? keyStrings[k].str2.size() + 1 : 0);
    for (const doubleStr& pair : margStrings) size += pair.str1.size() + pair.str2.size() + 2;

    configBytes out{std::make_unique_for_overwrite<char[]>(size), size};
    byteWriter w(out.bytes.get());
    w.putBytes(signature, sizeof signature);
    for (std::uint16_t field : {version, allStrSum, defListIndex, listNum, listItemNum,
                                fileFilterNum, keyNum, fileNum, filterNum, margNum}) {
        w.put16(field);
    }
    for (std::size_t k = 0; k < keyNum; ++k) {
        const keyConf& key = keys[k];
        w.put16(key.fileRef);
        w.put16(key.margRef);
        w.put16(key.listRef);
        w.put8(key.strNum);
        w.put8(0);  // reserved
        w.put8(key.order);
        w.put8(0);  // reserved
    }
    for (std::size_t f = 0; f < fileNum; ++f) {
        w.put8(files[f].action);
        w.put8(files[f].filterCount);
    }
    for (std::size_t j = 0; j < listNum; ++j) w.put16(listSizes[j]);
    std::size_t e = 0;
    for (; e < listItemNum; ++e) w.put16(itemNumbers[e]);
    for (; e < listEntries; ++e) w.put8(itemNumbers[e]);

    for (const std::string_view text : headerStrings) w.putString(text);
    for (const std::string_view text : listStrings) w.putString(text);
    for (std::size_t k = 0; k < keyStrings.size(); ++k) {
        w.putString(keyStrings[k].str1);
        if (keys[k].strNum == 2) w.putString(keyStrings[k].str2);
    }
    for (const std::string_view text : fileStrings) w.putString(text);
    for (const doubleStr& marg : margStrings) {
        w.putString(marg.str1);
        w.putString(marg.str2);
    }
    for (const std::string& text : filterStrings) w.putString(text);
    // Every byte was counted beforehand.
    if (w.position() != out.bytes.get() + size) throw std::logic_error("config size miscounted");
    return out;
}

void cnfBuilder::saveCnf() {
    std::error_code why;
    const configBytes bytes = buildConfig();
    if (!replaceFile(configPath, std::string_view(bytes.bytes.get(), bytes.size), why))
        error.throwErr(error.fileErr, noLine, 1, 3,
                       "cannot write \"" + configPath + "\": " + why.message());
}

void cnfBuilder::displayCnf() const { displayCnf(std::cout); }

void cnfBuilder::displayCnf(std::ostream& out) const {
    std::uint32_t keyStrSum = 0;
    for (const keyConf& key : keys) keyStrSum += key.strNum;
    out << std::endl;
    out << "   -----Cnf info-----" << std::endl;
    out << "   List num: " << kindOf(LIST_KIND).count(listCounter) << std::endl;
    out << "   Key num: " << kindOf(KEY_KIND).count(keyCounter) << std::endl;
    out << "   File num: " << kindOf(FILE_KIND).count(fileCounter) << std::endl;
    out << "   Filter num: " << kindOf(FILTER_KIND).count(filterCounter) << std::endl;
    out << "   Marg num: " << kindOf(MARG_KIND).count(margCounter) << std::endl;
    out << std::endl;
    out << "   All string sum: " << allStrSum << std::endl;
    out << std::endl;
    out << "   List str sum: " << listStrings.size() << std::endl;
    out << "   Key str sum: " << keyStrSum << std::endl;
    out << "   File str sum: " << fileStrings.size() << std::endl;
    out << "   Filter str sum: " << filterStrings.size() << std::endl;
    out << "   Marg str sum: " << 2 * margStrings.size() << std::endl;
    out << "   Header str sum: " << headerStrings.size() << std::endl;
}
