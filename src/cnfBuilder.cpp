// Construction, command line, loading, the header and the section dispatch.
#include "cnfBuilder.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <system_error>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "files.h"
#include "utils.h"

void cnfBuilder::getCMDkeys(int& argc, const char* const* argv, cmdLineFlags& flags) {
    getCMDkeys(argc, argv, flags, consoleCMDLineParser());
}

void cnfBuilder::getCMDkeys(int& argc, const char* const* argv, cmdLineFlags& flags,
                            consoleCMDLineParser cmdParser) {
    // With no argument vector at all the program path counts as a bare name.
    const char* program = (argc > 0 && argv != nullptr && argv[0] != nullptr) ? argv[0] : "";
    const std::string folder =
        cmdParser.extractFolderPath(program) + "config" + cmdParser.separator();
    defaultFolder = folder;
    scriptPath = folder + "prog.sc";
    configPath = folder + "prog.cc";
    if (argc <= 1 || argv == nullptr) return;

    bool configSeen = false;
    // Every argument is read; a later name of the same kind replaces an earlier one.
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr) continue;
        const std::string arg = argv[i];
        if (arg.size() > 1 && arg[0] == '-') {
            if (!consoleCMDLineParser::setFlags(arg[1], flags))
                printDiagnostic(std::cerr, "warning",
                                "unknown switch \"" + arg + "\" ignored; the switches are -i, -p and -h");
        } else if (cmdParser.checkExtension("sc", arg)) {
            scriptPath = cmdParser.checkRelativePath(arg) ? arg : folder + arg;
            scriptArg = arg;
        } else if (cmdParser.checkExtension("cc", arg)) {
            configPath = cmdParser.checkRelativePath(arg) ? arg : folder + arg;
            configSeen = true;
        } else {
            // A name without a dot has had its message from each extension test.
            if (arg.find('.') != std::string::npos) std::cout << "   Exstension error" << std::endl;
            refusedNames.push_back(arg);
            printDiagnostic(std::cerr, "warning",
                            "refused \"" + arg + "\": a script name ends in .sc, a config name in .cc");
        }
    }
    // A derived config name always goes into the default folder.
    if (!scriptArg.empty() && !configSeen)
        configPath = folder + cmdParser.extractFileName(scriptPath) + ".cc";
}

void cnfBuilder::displayFilePath() const {
    std::cout << std::endl;
    std::cout << "   -----Files info-----" << std::endl;
    std::cout << "   Path in: " << scriptPath << std::endl;
    std::cout << "   Path out: " << configPath << std::endl;
    std::cout << std::endl;
}

void cnfBuilder::clearError() {
    error.clear();
    parser.clearError();
}

namespace {

// "cannot open "PATH": the system's reason".
std::string fileProblem(const char* what, const std::string& path, int code) {
    return std::string("cannot ") + what + " \"" + path + "\": " +
           (code != 0 ? std::generic_category().message(code) : std::string("reason unknown"));
}

}  // namespace

void cnfBuilder::loadScript() {
    // Where the path came from, for a script that cannot be opened.
    const std::string hint =
        scriptArg.empty()         ? " (no script was named, so the default script is read)"
        : scriptArg == scriptPath ? ""
                                  : " (a name that is not an absolute path is looked up in " +
                                        defaultFolder + ")";
    // A folder opens as a stream on some systems but is no script.
    if (isFolder(scriptPath))
        error.throwErr(error.fileErr, curLine, 1, 1, fileProblem("open", scriptPath, EISDIR) + hint);
    errno = 0;
    std::ifstream in(scriptPath, std::ios::in | std::ios::binary);
    if (!in.is_open())
        error.throwErr(error.fileErr, curLine, 1, 1, fileProblem("open", scriptPath, errno) + hint);
    loadScriptFromStream(in);
}

void cnfBuilder::loadScriptFromStream(std::istream& in) {
    // The stream is read to its end whatever it is: a pipe or a terminal has
    // no size to ask for beforehand. A regular file's size only lets the bytes
    // go straight to their place.
    std::unique_ptr<char[]> whole;
    std::size_t size = 0;
    std::error_code unknown;
    const std::uintmax_t expected = std::filesystem::file_size(scriptPath, unknown);
    errno = 0;
    if (!unknown && expected > 0 && expected < PTRDIFF_MAX) {
        // Straight into a buffer that is not cleared first, with a byte to spare.
        whole = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(expected) + 1);
        in.read(whole.get(), static_cast<std::streamsize>(expected));
        size = static_cast<std::size_t>(in.gcount());
    }
    std::string more;  // what a pipe holds, or what a file gained since its size was asked
    char chunk[1 << 16];
    while (in.good() && (in.read(chunk, sizeof chunk) || in.gcount() > 0)) {
        more.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) error.throwErr(error.fileErr, curLine, 1, 1, fileProblem("read", scriptPath, errno));
    if (!more.empty()) {
        auto joined = std::make_unique_for_overwrite<char[]>(size + more.size() + 1);
        if (size > 0) std::memcpy(joined.get(), whole.get(), size);
        std::memcpy(joined.get() + size, more.data(), more.size());
        whole = std::move(joined);
        size += more.size();
    }
    loadScriptText(std::move(whole), size);
}

void cnfBuilder::loadScriptFromBytes(std::string_view bytes) {
    auto copy = std::make_unique_for_overwrite<char[]>(bytes.size() + 1);
    if (!bytes.empty()) std::memcpy(copy.get(), bytes.data(), bytes.size());
    loadScriptText(std::move(copy), bytes.size());
}

char* cnfBuilder::writableScriptBytes(std::string_view text) {
    char* const first = scriptBytes.get();
    const std::less<const char*> before;
    if (first == nullptr || before(text.data(), first) || before(first + scriptSize, text.data() + text.size()))
        return nullptr;
    return first + (text.data() - first);
}

std::string_view cnfBuilder::keepRewritten(std::string&& text) {
    rewrittenTexts.push_back(std::move(text));
    return rewrittenTexts.back();
}

namespace {

// Notes the positions of the line feeds in bytes, at most limit of them,
// and returns how many it noted. Sixty-four bytes are tested at once where
// the machine can (every x86-64 can), each byte on its own elsewhere and at
// the end.
std::size_t findFeeds(std::string_view bytes, std::size_t* feeds, std::size_t limit) {
    const char* const data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t found = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i lineFeeds = _mm_set1_epi8('\n');
    const auto feedMask = [&lineFeeds](const char* at) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lineFeeds))));
    };
    for (; i + 64 <= size; i += 64) {
        std::uint64_t mask = feedMask(data + i) | feedMask(data + i + 16) << 16 | feedMask(data + i + 32) << 32 |
                             feedMask(data + i + 48) << 48;
        for (; mask != 0; mask &= mask - 1) {
            if (found == limit) return found;
            feeds[found++] = i + static_cast<std::size_t>(std::countr_zero(mask));
        }
    }
#endif
    for (; i < size; ++i) {
        if (data[i] == '\n') {
            if (found == limit) return found;
            feeds[found++] = i;
        }
    }
    return found;
}

}  // namespace

void cnfBuilder::loadScriptText(std::unique_ptr<char[]> bytesOwned, std::size_t size) {
    if (size == 0)
        error.throwErr(error.fileErr, noLine, 1, 2,
                       "the script \"" + scriptPath + "\" is empty: it holds no bytes at all");
    scriptBytes = std::move(bytesOwned);
    scriptSize = size;
    const std::string_view bytes(scriptBytes.get(), scriptSize);
    if (facts != nullptr) {
        // Reading on, every line is read: one too many is an error noted.
        std::vector<std::size_t> every;
        for (std::size_t at = bytes.find('\n'); at != std::string_view::npos; at = bytes.find('\n', at + 1))
            every.push_back(at);
        splitLines(every.data(), every.size());
        facts->lineStarts.assign(1, 0);
        for (const std::size_t feed : every) facts->lineStarts.push_back(feed + 1);
        parser.lineStarts = &facts->lineStarts;
        if (every.size() >= MAX_SCR_LINE) noteError(tooManyLines(MAX_SCR_LINE - 1, every[MAX_SCR_LINE - 1]));
        return;
    }
    // The buffer holds MAX_SCR_LINE lines, so a script may hold one line feed fewer.
    std::size_t feeds[MAX_SCR_LINE];
    const std::size_t feedCount = findFeeds(bytes, feeds, MAX_SCR_LINE - 1);
    lines.clear();
    if (feedCount == MAX_SCR_LINE - 1) {
        // One feed more is one line too many.
        const std::size_t next = bytes.find('\n', feeds[feedCount - 1] + 1);
        if (next != std::string_view::npos) throw tooManyLines(feedCount, next);
    }
    splitLines(feeds, feedCount);
}

void cnfBuilder::splitLines(const std::size_t* feeds, std::size_t feedCount) {
    const std::string_view bytes(scriptBytes.get(), scriptSize);
    const bool anyNul = bytes.find('\0') != std::string_view::npos;
    // Each line's end (its line feed, the CR before that, or the byte to
    // spare after the script) becomes a NUL, which ends the readers' walks.
    char* const text = scriptBytes.get();
    lines.resize(feedCount + 1);
    lineText* const split = lines.data();
    std::size_t begin = 0;
    for (std::size_t n = 0; n < feedCount; ++n) {
        const std::size_t feed = feeds[n];
        const std::size_t end = feed > begin && text[feed - 1] == '\r' ? feed - 1 : feed;  // CR LF reads as LF
        text[end] = '\0';
        split[n] = lineText::beforeNul(std::string_view(text + begin, end - begin));
        begin = feed + 1;
    }
    text[scriptSize] = '\0';
    parser.scriptText = std::string_view(text, scriptSize + 1);
    split[feedCount] = lineText::beforeNul(std::string_view(text + begin, scriptSize - begin));
    // A line ends at its first NUL byte; most scripts hold none.
    if (anyNul)
        for (lineText& line : lines) {
            const std::string_view whole = line.view();
            line = lineText::beforeNul(whole.substr(0, whole.find('\0')));
        }
    lineCount = static_cast<std::uint32_t>(lines.size());
}

scriptError cnfBuilder::tooManyLines(std::size_t feedsBefore, std::size_t lastFeed) {
    const std::string_view bytes(scriptBytes.get(), scriptSize);
    std::size_t feeds = feedsBefore + 1;
    for (std::size_t at = bytes.find('\n', lastFeed + 1); at != std::string_view::npos;
         at = bytes.find('\n', at + 1))
        ++feeds;
    std::string text = "the script has " + std::to_string(feeds + 1) + " lines; at most " +
                       std::to_string(MAX_SCR_LINE) + " are allowed";
    if (feeds == MAX_SCR_LINE && bytes.back() == '\n')
        text += " (the line feed after the last line starts one more)";
    if (facts == nullptr) {
        lines.clear();
        lineCount = 0;
    }
    return error.madeErr(error.stringsErr, noLine, 1, 1, text);
}

void cnfBuilder::skipLinesWithoutContent() {
    while (!parser.symbDel(currentLine())) {
        if (curLine >= lineCount) error.throwErr(error.stringsErr, curLine, 1, 2, scriptEndText());
        ++curLine;
    }
}

void cnfBuilder::eraseGarbage(bool& flag) {
    while (!parser.symbDel(currentLine())) {
        if (curLine >= lineCount) {
            flag = false;
            return;
        }
        ++curLine;
    }
}

void cnfBuilder::getHeader() {
    for (int i = 0; i < 6; ++i) {
        eraseGarbage();
        headerStrings.push_back(parser.getHeaderItem(currentLine(), curLine));
        checkHeaderItem(headerStrings.back());
        ++curLine;
    }
}

void cnfBuilder::reserveTables() {
    // Every item takes a section line and at least two parameter lines, so
    // the lines bound the items as well as the limits do; tables sized
    // beforehand never move what they hold.
    const std::uint32_t items = lineCount / 3 + 1;
    const auto room = [items](std::uint32_t kind) { return std::min(items, kindOf(kind).counterLimit()); };
    listMap.reserve(room(LIST_KIND));
    keyMap.reserve(room(KEY_KIND));
    fileMap.reserve(room(FILE_KIND));
    filterMap.reserve(room(FILTER_KIND));
    margMap.reserve(room(MARG_KIND));
    for (std::uint32_t kind = LIST_KIND; kind < DEF_KIND; ++kind) definitions[kind].reserve(room(kind));
    keys.reserve(room(KEY_KIND));
    keyStrings.reserve(room(KEY_KIND));
    keyNextLists.reserve(room(KEY_KIND));
    keyMargs.reserve(room(KEY_KIND));
    keyFiles.reserve(room(KEY_KIND));
    listStrings.reserve(room(LIST_KIND));
    listItems.reserve(room(LIST_KIND));
    files.reserve(room(FILE_KIND));
    fileStrings.reserve(room(FILE_KIND));
    fileFilters.reserve(room(FILE_KIND));
    filterStrings.reserve(room(FILTER_KIND));
    margStrings.reserve(room(MARG_KIND));
    itemNumbers.reserve(room(LIST_KIND) * MAX_ITEMS_SUM + room(FILE_KIND) * MAX_FILTERS_SUM);
}

void cnfBuilder::parseScript() {
    reserveTables();
    if (facts != nullptr) {
        parseScriptReadingOn();
        return;
    }
    getHeader();
    bool more = true;
    for (;;) {
        eraseGarbage(more);
        if (!more) break;
        readSection<false>();
    }
    buildCnf();
}

// (Inlined into both loops: a call per section would cost the compile.)
template <bool noting>
[[gnu::always_inline]] inline void cnfBuilder::readSection() {
    const std::string_view before = currentLine().view();
    const std::uint32_t kind = parser.findKW<itemKW, ITEM_KW_SUM>(currentLine());
    if constexpr (noting) {
        if (kind != 0) noteWord(wordCut(before, currentLine()), wordRole::section, itemKW[kind - 1]);
    }
    switch (kind) {
        case 1: listParse<noting>(); break;
        case 2: keyParse<noting>(); break;
        case 3: fileParse<noting>(); break;
        case 4: filterParse<noting>(); break;
        case 5: margParse<noting>(); break;
        case 6: defArgParse<noting>(); break;
        default: {
            const std::string_view word = wordCut(before, currentLine());
            error.throwErr(error.itemTypeErr, curLine, 1, 1,
                           "unknown item type " + inQuotes(word) + expectedWords(itemKW, ITEM_KW_SUM) +
                               wordHints(word, true),
                           parser.spanOf(word));
        }
    }
}

namespace {

// Thrown past the most errors kept: ends the reading.
struct readingStopped {};

}  // namespace

void cnfBuilder::noteError(const scriptError& e) {
    if (errors.size() < kMostErrors) {
        errors.push_back(e);
        return;
    }
    if (!firstLeftOut) firstLeftOut = e;
    throw readingStopped{};
}

void cnfBuilder::parseScriptReadingOn() {
    try {
        readHeaderReadingOn();
        bool more = true;
        for (;;) {
            const std::size_t opened = facts->sections.size();
            try {
                eraseGarbage(more);
                if (!more) break;
                readSection<true>();
                if (facts->sections.size() > opened) {
                    facts->sections.back().complete = true;
                    facts->sections.back().lastLine = curLine - 1;
                }
            } catch (const scriptError& e) {
                readOnAfter(e, opened);
            }
        }
        facts->readWhole = errors.empty();
        buildCnf();
    } catch (const readingStopped&) {
        // The errors kept are all that is said.
    }
}

void cnfBuilder::addToMap(nameMap& map, std::string_view name,
                          std::uint32_t& counter) {
    if (!map.emplace(name, counter)) {
        const std::vector<storeParam>& same = definitions[sectionKind];
        const auto first = std::find_if(same.begin(), same.end(),
                                        [&name](const storeParam& item) { return item.text == name; });
        std::string text = "second " + std::string(kindOf(sectionKind).name) + " named " + inQuotes(name);
        if (first != same.end()) text += "; the first is at line " + std::to_string(first->line + 1);
        error.throwErr(error.itemNameErr, curLine, 1, 1, text, parser.spanOf(name));
    }
    ++counter;
}

std::uint32_t cnfBuilder::nameNotFound(std::string_view name, std::uint32_t line, const referenceInfo& ref,
                                       std::string_view taken) {
    const textSpan where = parser.spanOf(taken.data() != nullptr ? parserScr::paramAsWritten(taken) : name);
    if (facts == nullptr) error.throwErr(error.itemNameErr, line, 1, 2, notFoundText(name, ref), where);
    noteError(error.madeErr(error.itemNameErr, line, 1, 2, notFoundText(name, ref), where));
    error.itemNameErr = 0;
    return 0;
}

void cnfBuilder::checkItemLimit(const std::uint32_t& counter, std::uint32_t limit,
                                std::uint32_t kind) {
    if (counter > limit) {
        // Reading on, the first item too many is the error, and the section
        // is read all the same: its names and references are there.
        if (facts != nullptr && counter > limit + 1) return;
        const std::uint32_t most = limit - kindOf(kind).firstNumber;
        const std::string_view name = definitions[kind].back().text;
        const scriptError e = error.madeErr(
            error.limitErr, curLine, 1, kind,
            itemText(kind, definitions[kind].size() - 1) + " is one too many: at most " + std::to_string(most) +
                " " + std::string(kindOf(kind).name) + "s are allowed",
            parser.spanOf(name));
        if (facts == nullptr) throw e;
        noteError(e);
        error.limitErr = 0;
    }
}
