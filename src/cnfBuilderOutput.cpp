// Resolution of names into item numbers, the config bytes and the summary.
#include <cstring>
#include <iostream>
#include <system_error>
#include <utility>

#include "cnfBuilder.h"
#include "platform.h"

void cnfBuilder::buildCnf() {
    for (std::uint32_t list = 0; list < listItems.size(); ++list) {
        listSizes.push_back(getNubs(listItems[list], keyMap, itemNumbers, MAX_ITEMS_SUM,
                                    {"items", LIST_KIND, list, KEY_KIND}));
    }
    listItems.clear();
    listItemNum = static_cast<std::uint16_t>(itemNumbers.size());

    fileFilterNum = 0;
    for (std::uint32_t i = 0; i < fileFilters.size(); ++i) {
        fileConf& file = files[i];
        // A folder browser's entry is a placeholder and is not read.
        file.filterCount = file.action == DIR ? 0
                           : static_cast<std::uint8_t>(getNubs(fileFilters[i], filterMap, itemNumbers,
                                                               MAX_FILTERS_SUM,
                                                               {"filters", FILE_KIND, i, FILTER_KIND}));
        fileFilterNum = static_cast<std::uint16_t>(fileFilterNum + file.filterCount);
    }
    fileFilters.clear();

    getKeyParamNumbs();
    std::memcpy(signature, "cnf v.", sizeof signature);
    version = THIS_CNF_VERSION;
    allStrSum = getAllStrSum();
    error.itemIndex = 0;
    const referenceInfo def{"def", 0, 0, LIST_KIND};
    defListIndex = static_cast<std::uint16_t>(getNumFromMap(listMap, defArg.text, defArg.line, def) - 1);
    listNum = static_cast<std::uint16_t>(listCounter - 1);
    keyNum = static_cast<std::uint16_t>(keyCounter);
    fileNum = static_cast<std::uint16_t>(fileCounter - 1);
    filterNum = static_cast<std::uint16_t>(filterCounter);
    margNum = static_cast<std::uint16_t>(margCounter - 1);
    warnUnusedItems();
}

// Resolves the comma-separated names of one "items" or "filters" line, at most
// limit of them, appending their numbers to out. At least one name is always
// looked up; the names behind the limit are not looked up, only named in a warning.
std::uint32_t cnfBuilder::getNubs(storeParam& ref, const nameMap& map,
                                  std::vector<std::uint32_t>& out, std::uint32_t limit,
                                  const referenceInfo& info) {
    lineText text(ref.text);
    std::uint32_t count = 0;
    bool more = true;
    while (more) {
        if (count == limit) {
            droppedNames dropped;
            while (more && !dropped.complete()) dropped.add(parser.getParam(text, more));
            if (!dropped.empty())
                warn(ref.line, itemText(info.ownerKind, info.owner) + " takes at most " +
                                   std::to_string(limit) + " " + kindName(info.targetKind) +
                                   "s; dropped: " + dropped.list());
            break;
        }
        itemName = parser.getParam(text, more);
        error.itemIndex = static_cast<std::int32_t>(count);
        out.push_back(getNumFromMap(map, itemName, ref.line, info));
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

void put8(std::string& out, std::uint32_t value) { out += static_cast<char>(value & 0xFFu); }

void put16(std::string& out, std::uint32_t value) {
    put8(out, value);
    put8(out, value >> 8);
}

void putString(std::string& out, const std::string& text) {
    out += text;
    out += '\0';
}

}  // namespace

std::string cnfBuilder::cnfBytes() const {
    std::size_t size = 26 + 10 * keys.size() + 2 * files.size() + 2 * itemNumbers.size();
    const auto addSizes = [&size](const auto& texts) {
        for (const std::string& text : texts) size += text.size() + 1;
    };
    addSizes(headerStrings);
    addSizes(listStrings);
    addSizes(fileStrings);
    addSizes(filterStrings);
    for (const doubleStr& pair : keyStrings) size += pair.str1.size() + pair.str2.size() + 2;
    for (const doubleStr& pair : margStrings) size += pair.str1.size() + pair.str2.size() + 2;
    std::string out;
    out.reserve(size);  // an upper bound: the whole file is built without a reallocation
    out.append(signature, sizeof signature);
    for (std::uint16_t field : {version, allStrSum, defListIndex, listNum, listItemNum,
                                fileFilterNum, keyNum, fileNum, filterNum, margNum}) {
        put16(out, field);
    }
    for (std::size_t k = 0; k < keyNum; ++k) {
        const keyConf& key = keys[k];
        put16(out, key.fileRef);
        put16(out, key.margRef);
        put16(out, key.listRef);
        put8(out, key.strNum);
        put8(out, 0);  // reserved
        put8(out, key.order);
        put8(out, 0);  // reserved
    }
    for (std::size_t f = 0; f < fileNum; ++f) {
        put8(out, files[f].action);
        put8(out, files[f].filterCount);
    }
    for (std::size_t j = 0; j < listNum; ++j) put16(out, listSizes[j]);
    std::size_t e = 0;
    for (; e < listItemNum; ++e) put16(out, itemNumbers[e]);
    for (; e < static_cast<std::size_t>(listItemNum) + fileFilterNum; ++e) put8(out, itemNumbers[e]);

    for (const std::string& text : headerStrings) putString(out, text);
    for (const std::string& text : listStrings) putString(out, text);
    for (std::size_t k = 0; k < keyStrings.size(); ++k) {
        putString(out, keyStrings[k].str1);
        if (keys[k].strNum == 2) putString(out, keyStrings[k].str2);
    }
    for (const std::string& text : fileStrings) putString(out, text);
    for (const doubleStr& marg : margStrings) {
        putString(out, marg.str1);
        putString(out, marg.str2);
    }
    for (const std::string& text : filterStrings) putString(out, text);
    return out;
}

void cnfBuilder::saveCnf() {
    std::error_code why;
    if (!replaceFile(configPath, cnfBytes(), why))
        error.throwErr(error.fileErr, noLine, 1, 3,
                       "cannot write \"" + configPath + "\": " + why.message());
}

void cnfBuilder::displayCnf() const { displayCnf(std::cout); }

void cnfBuilder::displayCnf(std::ostream& out) const {
    std::uint32_t keyStrSum = 0;
    for (const keyConf& key : keys) keyStrSum += key.strNum;
    out << std::endl;
    out << "   -----Cnf info-----" << std::endl;
    out << "   List num: " << listCounter - 1 << std::endl;
    out << "   Key num: " << keyCounter << std::endl;
    out << "   File num: " << fileCounter - 1 << std::endl;
    out << "   Filter num: " << filterCounter << std::endl;
    out << "   Marg num: " << margCounter - 1 << std::endl;
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
