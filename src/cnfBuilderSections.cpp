// One reader per section kind. Each is entered with curLine on its section line,
// the section keyword already cut off, and leaves curLine on the line after the
// section's last parameter line.
#include <array>
#include <utility>

#include "cnfBuilder.h"
#include "configAnalysis.h"

namespace {

// Codes of the parameter category.
constexpr std::uint32_t UNKNOWN_PARAMETER = 1;
constexpr std::uint32_t FOLDER_WITH_FILTER = 3;
constexpr std::uint32_t UNUSED_KEY_DATA = 4;
constexpr std::uint32_t NO_PATH_ORDER = 5;
constexpr std::uint32_t NO_VALUE_ORDER = 6;
constexpr std::uint32_t EMPTY_KEY = 7;

std::uint8_t pathPosition(std::uint8_t order) { return order & 3u; }
std::uint8_t keysPosition(std::uint8_t order) { return (order >> 2) & 3u; }
std::uint8_t valuePosition(std::uint8_t order) { return (order >> 4) & 3u; }

// Whether an order word moved behind another: written again, a word takes
// its later place, and so the first word of "keys path keys" ends up last,
// after the path. Indexed by the first word's bits (0, 2 or 4) times 32 and
// the order byte: true when the first word holds place 3 and another word
// place 2. (Written twice in a row, "path path keys", a word keeps the order
// it was written in.)
constexpr auto kMovedOrders = [] {
    std::array<bool, 5 * 32 + 64> moved{};
    for (unsigned first = 0; first <= 4; first += 2)
        for (unsigned order = 0; order < 64; ++order) {
            bool second = false;
            for (unsigned shift = 0; shift < 6; shift += 2) second = second || ((order >> shift) & 3u) == 2;
            moved[first << 5 | order] = ((order >> first) & 3u) == 3 && second;
        }
    return moved;
}();


// The first character of a value line that is not a blank: the "=" or "-"
// that garbageStrDel removes, if there is one.
char separatorOf(const lineText& line) {
    const std::string_view rest = line.view();
    const std::size_t at = rest.find_first_not_of(' ');
    return at == std::string_view::npos ? '\0' : rest[at];
}

}  // namespace

template <bool noting>
void cnfBuilder::beginSection(nameMap& map, std::uint32_t& counter, std::uint32_t kind) {
    paramCount = 0;
    parser.redefClear();
    sectionKind = kind;
    itemName = parser.divStr(currentLine());
    if constexpr (noting)
        noteSection(kind, itemName);
    addToMap(map, itemName, counter);
    definitions[kind].push_back({curLine, itemName});
    checkItemLimit(counter, kindOf(kind).counterLimit(), kind);
}

template <std::uint32_t kind, bool noting>
[[gnu::always_inline]] inline std::uint32_t cnfBuilder::nextParameter() {
    constexpr const std::string_view* table = kindOf(kind).parameters;
    constexpr std::uint32_t size = kindOf(kind).parameterCount;
    eraseGarbage();
    const std::string_view before = currentLine().view();
    const std::uint32_t index = parser.findKW<table, size>(currentLine());
    if (index == 0) {
        const std::string_view word = wordCut(before, currentLine());
        error.throwErr(error.paramErr, curLine, 1, UNKNOWN_PARAMETER,
                       "unknown parameter " + inQuotes(word) + " in " + sectionText() +
                           expectedWords(table, size, true) + wordHints(word, false),
                       parser.spanOf(word));
    }
    if constexpr (noting)
        noteWord(wordCut(before, currentLine()), wordRole::parameter, table[index - 1], kind);
    try {
        parser.redefCheck(size, index, curLine);
    } catch (scriptError& twice) {
        twice.detail = "second \"" + std::string(table[index - 1]) + "\" line in " + sectionText() +
                       "; each parameter is given once";
        const textSpan keyword = parser.keywordSpanOf(currentLine().view());
        twice.errColumn = keyword.column;
        twice.errLength = keyword.length;
        throw;
    }
    return index;
}

void cnfBuilder::warnOfLeadingBlank(std::string_view value, const char* what, const char* keyword,
                                    std::string_view written) {
    warn(curLine, parser.spanOf(written.data() != nullptr ? written : value),
         std::string(what) + " " + inQuotes(value) + " of " + sectionText() +
             " begins with a blank: write " + keyword + "= with no blank after \"=\"");
}

template <bool noting>
void cnfBuilder::listParse() {
    beginSection<noting>(listMap, listCounter, LIST_KIND);
    while (paramCount < kindOf(LIST_KIND).parameterCount) {
        const std::uint32_t index = nextParameter<LIST_KIND, noting>();
        lineText& line = currentLine();
        if (index == 1) {  // name: the caption up to its first ';'
            parser.symbDel(line);
            const std::string_view caption = parser.takeUntil(line, ';');
            listStrings.push_back(caption);
            if constexpr (noting)
                noteText(curLine, textRole::caption, caption, caption);
            if (caption.empty()) [[unlikely]]
                warnEmptyCaption(caption);
            else
                checkCaption(caption, "caption");
        } else {  // items: kept as written, split into key names at resolution
            listItems.push_back({curLine, line.view()});
            if constexpr (noting)
                noteNames(KEY_KIND, line.view());
            line.dropFront(line.size());
        }
        ++paramCount;
        ++curLine;
    }
}

template <bool noting>
void cnfBuilder::keyParse() {
    bool argSeen = false;
    std::uint32_t keyLine = curLine;
    std::uint32_t orderLine = 0;
    std::uint32_t argLine = 0;
    keyConf key;
    beginSection<noting>(keyMap, keyCounter, KEY_KIND);
    while (paramCount < kindOf(KEY_KIND).parameterCount) {
        const std::uint32_t index = nextParameter<KEY_KIND, noting>();
        lineText& line = currentLine();
        switch (index) {
            case 1:  // name
                itemStrings.str1 = parser.caption(line);
                if constexpr (noting)
                    noteText(curLine, textRole::caption, itemStrings.str1, itemStrings.str1);
                checkCaption(itemStrings.str1, "caption");
                ++paramCount;
                break;
            case 2: {  // order; without "keys" it also fills the slot of the missing arg
                orderLine = curLine;
                orderText = line.view();
                if constexpr (noting)
                    noteOrderWords();
                unsigned firstShift = 0;
                key.order = parser.getOrder(line, curLine, &firstShift);
                if (kMovedOrders[firstShift << 5 | key.order]) [[unlikely]]
                    warnMovedOrderWord(key.order);
                if (keysPosition(key.order) != 0) {
                    key.strNum = 2;
                    ++paramCount;
                } else {
                    key.strNum = 1;
                    if (argSeen)
                        error.throwErr(error.paramErr, argLine, 1, UNUSED_KEY_DATA, unusedKeyDataText(),
                                       parser.keywordSpanOf(itemStrings.str2));
                    argSeen = true;
                    paramCount += 2;
                }
                break;
            }
            case 3: {  // arg: the key data, kept whole once cleaned
                if (argSeen)
                    error.throwErr(error.paramErr, curLine, 1, UNUSED_KEY_DATA, unusedKeyDataText(),
                                   parser.keywordSpanOf(line.view()));
                argSeen = true;
                const bool dashTaken = separatorOf(line) == '-';
                parser.garbageStrDel(line);
                itemStrings.str2 = line.view();
                line.dropFront(line.size());
                argLine = curLine;
                if constexpr (noting)
                    noteText(curLine, textRole::keyData, itemStrings.str2, itemStrings.str2);
                if (dashTaken) {
                    const std::string_view data = itemStrings.str2;
                    warn(curLine, parser.spanOf(data),
                         "key data " + inQuotes(data) + " of " + sectionText() +
                             " lost its leading \"-\", which \"arg -\" takes for the \"=\": " + "write arg=-" +
                             std::string(data.size() <= 20 ? data : "..."));
                }
                checkKeyData(itemStrings.str2);
                ++paramCount;
                break;
            }
            default: {  // next, kmarg, kfile: one name or "disable"
                itemParam.text = parser.divStr(line);
                std::uint16_t* slot = index == 4 ? &key.listRef : index == 5 ? &key.margRef : &key.fileRef;
                *slot = 1;
                checkDisable(*slot);
                if constexpr (noting) {
                    if (*slot == 0)
                        noteWord(itemParam.text, wordRole::disable, DISABLE);
                    else
                        noteReference(index == 4 ? LIST_KIND : index == 5 ? MARG_KIND : FILE_KIND, itemParam.text,
                                      curLine, itemParam.text);
                }
                auto& refs = index == 4 ? keyNextLists : index == 5 ? keyMargs : keyFiles;
                refs.push_back(itemParam);
                ++paramCount;
                break;
            }
        }
        ++curLine;
    }
    checkKeyConf(key, keyLine, orderLine);
    warnUninserted(key, orderLine);
    if (keysPosition(key.order) != 0 && itemStrings.str2.empty()) [[unlikely]]
        warnEmptyKeyData(argLine);
    keys.push_back(key);
    keyStrings.push_back(itemStrings);
    itemStrings = {};
}

void cnfBuilder::checkDisable(std::uint16_t& slot) {
    if (itemParam.text == DISABLE) {
        itemParam.line = 0;
        slot = 0;
    } else {
        itemParam.line = curLine;
    }
}

[[gnu::always_inline]] inline void cnfBuilder::checkKeyConf(const keyConf& key, const std::uint32_t& keyLine,
                              const std::uint32_t& orderLine) {
    if (keysPosition(key.order) == 0) {
        if (pathPosition(key.order) == 0 && key.fileRef != 0)
            error.throwErr(error.paramErr, orderLine, 1, NO_PATH_ORDER,
                           sectionText() + " inserts the path of file item " +
                               inQuotes(keyFiles.back().text) +
                               " (kfile), but its order has neither path nor keys; add path to the "
                               "order or write kfile = disable",
                           parser.keywordSpanOf(orderText));
        if (valuePosition(key.order) == 0 && key.margRef != 0)
            error.throwErr(error.paramErr, orderLine, 1, NO_VALUE_ORDER,
                           sectionText() + " inserts the value of marg " +
                               inQuotes(keyMargs.back().text) +
                               " (kmarg), but its order has neither value nor keys; add value to the "
                               "order or write kmarg = disable",
                           parser.keywordSpanOf(orderText));
    }
    if (key.fileRef == 0 && key.margRef == 0 && key.listRef == 0 && keysPosition(key.order) == 0)
        error.throwErr(error.paramErr, keyLine, 1, EMPTY_KEY,
                       sectionText() + " does nothing: its order has no keys, and its next, kmarg and "
                                       "kfile are all disable",
                       parser.spanOf(definitions[KEY_KIND].back().text));
}

std::string cnfBuilder::unusedKeyDataText() const {
    return sectionText() + " has key data (arg), but its order has no keys: the key data would never be "
                           "inserted; add keys to the order or remove the arg line";
}

[[gnu::always_inline]] inline void cnfBuilder::warnUninserted(const keyConf& key, std::uint32_t orderLine) {
    const auto unused = [&](const storeParam& ref, const char* keyword, const char* position) {
        warn(ref.line, parser.spanOf(ref.text),
             std::string(keyword) + " " + inQuotes(ref.text) + " of " + sectionText() +
                 " is never inserted: its order has no " + position);
    };
    const auto empty = [&](const char* position, const char* keyword) {
        warn(orderLine, parser.keywordSpanOf(orderText),
             "the order of " + sectionText() + " inserts a " + position + ", but its " + keyword +
                 " is disable: nothing is inserted there");
    };
    const insertionGaps gaps = gapsOf({key.fileRef, key.margRef, key.listRef, key.order});
    if (gaps.pathNeverInserted) unused(keyFiles.back(), "kfile", "path");
    if (gaps.pathWithoutFile) empty("path", "kfile");
    if (gaps.valueNeverInserted) unused(keyMargs.back(), "kmarg", "value");
    if (gaps.valueWithoutMarg) empty("value", "kmarg");
}

template <bool noting>
void cnfBuilder::fileParse() {
    bool filtersGiven = false;
    beginSection<noting>(fileMap, fileCounter, FILE_KIND);
    while (paramCount < kindOf(FILE_KIND).parameterCount) {
        const std::uint32_t index = nextParameter<FILE_KIND, noting>();
        lineText& line = currentLine();
        if (index == 1) {  // name
            fileStrings.push_back(parser.caption(line));
            if constexpr (noting)
                noteText(curLine, textRole::caption, fileStrings.back(), fileStrings.back());
            checkCaption(fileStrings.back(), "caption");
            ++paramCount;
        } else if (index == 2) {  // action; "dir" also fills the filters slot
            itemName = parser.divStr(line);
            fileRec.action =
                static_cast<std::uint8_t>(parser.getFlag(itemName, fileFlagsKW, FILE_FLAG_KW_SUM, curLine));
            if constexpr (noting)
                noteWord(itemName, wordRole::action, fileFlagsKW[fileRec.action]);
            fileRec.filterCount = 0;
            if (fileRec.action == DIR) {
                // The error names the filters line that came first.
                if (filtersGiven)
                    error.throwErr(error.paramErr, itemParam.line, 1, FOLDER_WITH_FILTER,
                                   folderWithFilterText(), parser.keywordSpanOf(itemParam.text));
                paramCount += 2;
                filtersGiven = true;
                fileFilters.emplace_back();  // placeholder, never read
            } else {
                ++paramCount;
            }
            files.push_back(fileRec);
        } else {  // filters: kept as written, split into filter names at resolution
            if (filtersGiven)
                error.throwErr(error.paramErr, curLine, 1, FOLDER_WITH_FILTER, folderWithFilterText(),
                               parser.keywordSpanOf(line.view()));
            itemParam = {curLine, line.view()};
            if constexpr (noting)
                noteNames(FILTER_KIND, line.view());
            line.dropFront(line.size());
            filtersGiven = true;
            fileFilters.push_back(itemParam);
            ++paramCount;
        }
        ++curLine;
    }
}

std::string cnfBuilder::folderWithFilterText() const {
    return "filters in " + sectionText() + ", a folder browser (action = dir), which shows no filters";
}

template <bool noting>
void cnfBuilder::filterParse() {
    std::string_view nameText;
    std::string filter;
    // Where the name and the extensions are written, for the facts.
    storeParam nameWritten;
    storeParam extenWritten;
    beginSection<noting>(filterMap, filterCounter, FILTER_KIND);
    while (paramCount < kindOf(FILTER_KIND).parameterCount) {
        const std::uint32_t index = nextParameter<FILTER_KIND, noting>();
        lineText& line = currentLine();
        if (index == 1) {  // name; a 0x01 would split the display text in the wrong place
            const std::string_view written = parser.caption(line);
            nameText = written;
            nameWritten = {curLine, written};
            if (nameText.find('\x01') != std::string_view::npos) {
                std::string kept(nameText);
                std::erase(kept, '\x01');
                nameText = keepRewritten(std::move(kept));
            }
            checkCaption(nameText, "name", written);
        } else {  // exten
            extenWritten = {curLine, line.view()};
            droppedNames dropped;
            dottedExtensions dotted;
            filter = parser.createFilter(line, &dropped, &dotted);
            for (std::size_t n = 0; n < dotted.count; ++n) [[unlikely]]
                warnDottedExtension(dotted[n]);
            if (!dropped.empty())
                warn(curLine, parser.spanOf(dropped.firstWritten),
                     sectionText() + " takes at most " + std::to_string(MAX_EXTENSION_SUM) +
                         " extensions; dropped: " + dropped.list());
        }
        ++paramCount;
        ++curLine;
    }
    std::string text;
    text.reserve(nameText.size() + filter.size());
    text.append(nameText).append(filter);
    filterStrings.push_back(std::move(text));
    if constexpr (noting) {
        // "NAME(*.a, *.b)" 0x01 "*.a;*.b" 0x01
        const std::string_view whole = filterStrings.back();
        const std::size_t mark = whole.find('\x01');
        noteText(nameWritten.line, textRole::caption, nameWritten.text, whole.substr(0, mark));
        const std::string_view patterns = whole.substr(mark + 1);
        noteText(extenWritten.line, textRole::patterns, extenWritten.text, patterns.substr(0, patterns.find('\x01')));
    }
}

template <bool noting>
void cnfBuilder::margParse() {
    beginSection<noting>(margMap, margCounter, MARG_KIND);
    while (paramCount < kindOf(MARG_KIND).parameterCount) {
        const std::uint32_t index = nextParameter<MARG_KIND, noting>();
        lineText& line = currentLine();
        parser.symbDel(line);
        if (index == 1) {  // name
            itemStrings.str1 = parser.takeUntil(line, ';');
            if constexpr (noting)
                noteText(curLine, textRole::caption, itemStrings.str1, itemStrings.str1);
            checkCaption(itemStrings.str1, "caption");
        } else {  // info: the tooltip, "<@" marking its line breaks
            const std::string_view info = parser.takeUntil(line, ';');
            checkTooltip(info);
            itemStrings.str2 = info;
            if constexpr (noting)
                noteLineBreaks(info);
            if (info.find(KS_TOOL_TIP_ENDL) != std::string_view::npos) {
                // Nothing reads the info line again, so a line of the script's
                // own bytes is rewritten where it stands; other text is copied.
                char* const own = writableScriptBytes(info);
                if (own != nullptr) {
                    itemStrings.str2 = {own, parserScr::setEndlForToolTip(own, info.size())};
                } else {
                    std::string text(info);
                    parser.setEndlForToolTip(text);
                    itemStrings.str2 = keepRewritten(std::move(text));
                }
            }
            if constexpr (noting)
                noteText(curLine, textRole::tooltip, info, itemStrings.str2);
        }
        ++paramCount;
        ++curLine;
    }
    margStrings.push_back(itemStrings);
    itemStrings = {};
}

template <bool noting>
void cnfBuilder::defArgParse() {
    sectionKind = DEF_KIND;
    defArg.text = parser.divStr(currentLine());
    defArg.line = curLine;
    if constexpr (noting) {
        noteSection(DEF_KIND, defArg.text);
        if (!defArg.text.empty()) noteReference(LIST_KIND, defArg.text, curLine, defArg.text);
    }
    ++curLine;
}

// Each reader twice: noting the facts, and not (cnfBuilder.h).
template void cnfBuilder::listParse<false>();
template void cnfBuilder::listParse<true>();
template void cnfBuilder::keyParse<false>();
template void cnfBuilder::keyParse<true>();
template void cnfBuilder::fileParse<false>();
template void cnfBuilder::fileParse<true>();
template void cnfBuilder::filterParse<false>();
template void cnfBuilder::filterParse<true>();
template void cnfBuilder::margParse<false>();
template void cnfBuilder::margParse<true>();
template void cnfBuilder::defArgParse<false>();
template void cnfBuilder::defArgParse<true>();
