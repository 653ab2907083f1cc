// Construction, command line, loading, the header and the section dispatch.
#include "cnfBuilder.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "platform.h"
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
    std::string bytes;
    std::error_code unknown;
    const std::uintmax_t size = std::filesystem::file_size(scriptPath, unknown);
    errno = 0;
    if (!unknown && size > 0 && size < bytes.max_size()) {
        bytes.resize(static_cast<std::size_t>(size));
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    char chunk[1 << 16];
    while (in.good() && (in.read(chunk, sizeof chunk) || in.gcount() > 0)) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) error.throwErr(error.fileErr, curLine, 1, 1, fileProblem("read", scriptPath, errno));
    if (bytes.empty())
        error.throwErr(error.fileErr, noLine, 1, 2,
                       "the script \"" + scriptPath + "\" is empty: it holds no bytes at all");
    loadScriptText(std::move(bytes));
}

void cnfBuilder::loadScriptFromBytes(std::string_view bytes) { loadScriptText(std::string(bytes)); }

void cnfBuilder::loadScriptText(std::string&& script) {
    scriptText = std::move(script);
    const std::string_view bytes = scriptText;
    // Most scripts hold no NUL byte; then no line needs to be searched for one.
    const bool anyNul = bytes.find('\0') != std::string_view::npos;
    const auto add = [this, anyNul](std::string_view line) {
        lines.push_back(anyNul ? lineText(line) : lineText::withoutNul(line));
    };
    lines.clear();
    lines.reserve(MAX_SCR_LINE);
    std::size_t begin = 0;
    for (;;) {
        const std::size_t feed = bytes.find('\n', begin);
        if (feed == std::string_view::npos) {
            add(bytes.substr(begin));
            break;
        }
        // The buffer holds MAX_SCR_LINE lines, so a script may hold one line feed fewer.
        if (lines.size() + 1 >= MAX_SCR_LINE) tooManyLines(feed);
        std::size_t end = feed;
        if (end > begin && bytes[end - 1] == '\r') --end;  // CR LF reads as LF
        add(bytes.substr(begin, end - begin));
        begin = feed + 1;
    }
    lineCount = static_cast<std::uint32_t>(lines.size());
}

void cnfBuilder::tooManyLines(std::size_t lastFeed) {
    const std::string_view bytes = scriptText;
    std::size_t feeds = lines.size() + 1;
    for (std::size_t at = bytes.find('\n', lastFeed + 1); at != std::string_view::npos;
         at = bytes.find('\n', at + 1))
        ++feeds;
    std::string text = "the script has " + std::to_string(feeds + 1) + " lines; at most " +
                       std::to_string(MAX_SCR_LINE) + " are allowed";
    if (feeds == MAX_SCR_LINE && bytes.back() == '\n')
        text += " (the line feed after the last line starts one more)";
    lines.clear();
    error.throwErr(error.stringsErr, noLine, 1, 1, text);
}

void cnfBuilder::eraseGarbage() {
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
        ++curLine;
    }
}

void cnfBuilder::parseScript() {
    getHeader();
    bool more = true;
    for (;;) {
        eraseGarbage(more);
        if (!more) break;
        const std::string_view before = currentLine().view();
        switch (parser.findKW(currentLine(), itemKW, ITEM_KW_SUM)) {
            case 1: listParse(); break;
            case 2: keyParse(); break;
            case 3: fileParse(); break;
            case 4: filterParse(); break;
            case 5: margParse(); break;
            case 6: defArgParse(); break;
            default: {
                const std::string_view word = wordCut(before, currentLine());
                error.throwErr(error.itemTypeErr, curLine, 1, 1,
                               "unknown item type " + inQuotes(word) + "; expected " +
                                   wordList(itemKW, ITEM_KW_SUM, " or ") + wordHints(word, true));
            }
        }
    }
    buildCnf();
}

void cnfBuilder::addToMap(nameMap& map, const std::string& name,
                          std::uint32_t& counter) {
    if (!map.emplace(name, counter)) {
        const std::vector<storeParam>& same = definitions[sectionKind];
        const auto first = std::find_if(same.begin(), same.end(),
                                        [&name](const storeParam& item) { return item.text == name; });
        std::string text = "second " + std::string(kindName(sectionKind)) + " named " + inQuotes(name);
        if (first != same.end()) text += "; the first is at line " + std::to_string(first->line + 1);
        error.throwErr(error.itemNameErr, curLine, 1, 1, text);
    }
    ++counter;
}

std::uint32_t cnfBuilder::getNumFromMap(const nameMap& map, const std::string& name, std::uint32_t line,
                                        const referenceInfo& ref) {
    const std::uint32_t* found = map.find(name);
    if (found == nullptr) error.throwErr(error.itemNameErr, line, 1, 2, notFoundText(name, ref));
    return *found;
}

void cnfBuilder::checkItemLimit(const std::uint32_t& counter, std::uint32_t limit,
                                std::uint32_t kind) {
    if (counter > limit) {
        const std::uint32_t most = limit - firstNumber(kind);
        error.throwErr(error.limitErr, curLine, 1, kind,
                       itemText(kind, definitions[kind].size() - 1) + " is one too many: at most " +
                           std::to_string(most) + " " + kindName(kind) + "s are allowed");
    }
}

std::size_t nameMap::hashOf(std::string_view name) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const char c : name) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    return static_cast<std::size_t>(h ^ (h >> 32));
}

std::size_t nameMap::slotOf(std::string_view name) const {
    const std::size_t mask = slots.size() - 1;
    std::size_t index = hashOf(name) & mask;
    while (slots[index].used && !sameText(slots[index].name, name)) index = (index + 1) & mask;
    return index;
}

bool nameMap::emplace(const std::string& name, std::uint32_t number) {
    if (2 * (count + 1) > slots.size()) {
        std::vector<slot> old(std::max<std::size_t>(64, 2 * slots.size()));
        old.swap(slots);
        for (slot& entry : old)
            if (entry.used) slots[slotOf(entry.name)] = std::move(entry);
    }
    slot& entry = slots[slotOf(name)];
    if (entry.used) return false;
    entry.name = name;
    entry.number = number;
    entry.used = true;
    ++count;
    return true;
}

const std::uint32_t* nameMap::find(std::string_view name) const {
    if (slots.empty()) return nullptr;
    const slot& entry = slots[slotOf(name)];
    return entry.used ? &entry.number : nullptr;
}

std::uint32_t nameMap::at(std::string_view name) const {
    const std::uint32_t* number = find(name);
    if (number == nullptr) throw std::out_of_range("no item named " + std::string(name));
    return *number;
}
