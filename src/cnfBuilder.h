// The compiler of one script: command line, loading, section readers,
// resolution of names into numbers, the config bytes and the summary. One
// builder lives for the whole run and owns everything of it.
#pragma once

#include <cstdint>
#include <deque>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "consoleCMDLineParser.h"
#include "itemKinds.h"
#include "nameMap.h"
#include "parserScr.h"
#include "scriptError.h"
#include "scriptFacts.h"

// A piece of script text with the index of the line it came from. In a key's
// references line 0 marks a reference switched off with "disable". The texts
// the builder keeps are views: into the script's bytes, or, for a text the
// readers rewrote, into the builder's store of rewritten texts; both live as
// long as the builder.
struct storeParam {
    std::uint32_t line = 0;
    std::string_view text;
};

struct doubleStr {
    std::string_view str1;  // the "name" text of a key or marg
    std::string_view str2;  // the "arg" text of a key, the "info" text of a marg
};

// One key's record; 10 bytes in the config, written field by field.
struct keyConf {
    std::uint16_t fileRef = 0;  // file item number from 1, 0 = none
    std::uint16_t margRef = 0;  // marg number from 1, 0 = none
    std::uint16_t listRef = 0;  // list number from 1, 0 = none
    std::uint8_t strNum = 0;    // 2 when the order holds "keys" (name and arg), else 1
    std::uint8_t reserved1 = 0;
    std::uint8_t order = 0;     // positions of path, keys, value in bits 0-1, 2-3, 4-5
    std::uint8_t reserved2 = 0;
};

// One file item's record; 2 bytes in the config.
struct fileConf {
    std::uint8_t action = 0;       // 0 load, 1 save, 2 dir
    std::uint8_t filterCount = 0;  // its filters in the file filter entries
};

// A reference being resolved, for the messages about it: the keyword of its
// line, the item whose line it is (kind, and position among its kind from 0;
// kind 0 for the def line) and the kind of item it must name.
struct referenceInfo {
    std::string_view keyword;
    std::uint32_t ownerKind = 0;
    std::uint32_t owner = 0;
    std::uint32_t targetKind = 0;
};

// The driver's stages, in the one order they must be called, each at most once
// on one builder (a builder compiles one script):
//
//   1. getCMDkeys           sets scriptPath, configPath, defaultFolder, scriptArg
//                           and refusedNames; cannot fail. nothingToCompile()
//                           then says whether stages 2 to 7 may run at all.
//   2. displayFilePath      (with -i) needs stage 1.
//   3. loadScript           needs scriptPath; or loadScriptFromStream /
//                           loadScriptFromBytes, which need nothing before them
//                           (scriptPath only names the script in messages).
//                           Fills the line buffer; raises the file errors.
//   4. parseScript          needs the line buffer; reads the header and every
//                           section and calls buildCnf, which resolves every
//                           name and fills the header block and the compiled
//                           tables. Raises the first script error; collects
//                           warnings.
//   5. reportWarnings       any time after 3; prints and forgets the warnings
//                           (takeWarnings hands them over instead).
//   6. saveCnf / cnfBytes   need parseScript to have returned normally: only
//                           then do the header block, the tables and the
//                           strings agree. saveCnf also needs configPath.
//   7. displayCnf           (with -i) needs stage 6.
//
// Every stage raises errors by throwing a copy of `error` (or the token
// reader's record); after a throw only reportWarnings, takeWarnings and
// clearError are of use. compileText (compileText.h) runs stages 3 to 6 on
// a script held in memory.
class cnfBuilder {
public:
    cnfBuilder() { error.clear(); }
    // The lines are views into the builder's own copy of the script.
    cnfBuilder(const cnfBuilder&) = delete;
    cnfBuilder& operator=(const cnfBuilder&) = delete;

    // --- driver stages ---
    // Reads every argument: switches, a script name (".sc") and a config name
    // (".cc"), extensions in any letter case; a later name of a kind replaces
    // an earlier one. Names without a drive (or leading '/') go into the default
    // folder beside the program; a config name derived from the script name
    // always does. Any other name is refused: "   Exstension error" on standard
    // output (twice for a name without a dot) and a warning on standard error.
    void getCMDkeys(int& argc, const char* const* argv, cmdLineFlags& flags);
    void getCMDkeys(int& argc, const char* const* argv, cmdLineFlags& flags,
                    consoleCMDLineParser cmdParser);
    // A name was refused: nothing may be read or written, since what the
    // person named is not what would be compiled (the default script, or a
    // config derived from another name, would stand in for the refused one).
    bool nothingToCompile() const { return !refusedNames.empty(); }
    void displayFilePath() const;
    // Reads the file at scriptPath into the line buffer.
    void loadScript();
    // Reads a script stream to its end (a pipe as well as a file) into the
    // line buffer; a read error and a stream without a single byte raise the
    // file errors "   Load file error" and "   Empty file". scriptPath names
    // the stream in messages.
    void loadScriptFromStream(std::istream& in);
    // Splits a whole script into the line buffer: lines end at a line feed (a
    // carriage return before it is dropped) and at their first NUL byte. No
    // bytes at all is "   Empty file", as for a file.
    void loadScriptFromBytes(std::string_view bytes);
    // Reads the header and every section, then resolves all names.
    void parseScript();
    // Writes the config to configPath, replacing an existing one only whole.
    void saveCnf();
    // The config file's bytes, built from the resolved state.
    std::string cnfBytes() const;
    void displayCnf() const;
    void displayCnf(std::ostream& out) const;
    void clearError();
    // Prints the warnings found so far to err, in script line order, as
    // "SCRIPT:LINE:COLUMN: warning: TEXT", and forgets them; with an error
    // given, those at its place are left out.
    void reportWarnings(std::ostream& err, const scriptError* at = nullptr);
    // The warnings found so far, in script line order; the builder forgets them.
    std::vector<scriptWarning> takeWarnings();
    // Drops the warnings that stand where the error does: the error says
    // what is wrong there (a name "Disable" is no marg, rather than one never
    // inserted).
    static void dropWarningsAt(std::vector<scriptWarning>& warnings, const scriptError& e);

    // --- reading state ---
    // The line at an index; every index at or beyond lineCount is an empty line.
    lineText& lineAt(std::uint32_t index) {
        if (index < lineCount) return lines[index];
        pastEnd = lineText();
        return pastEnd;
    }
    lineText& currentLine() { return lineAt(curLine); }
    // Moves curLine to the next line with content, or raises "   Unexpected script end".
    // (Most lines have content: they are settled here, the rest out of line.)
    void eraseGarbage() {
        if (curLine < lineCount && parser.symbDel(lines[curLine])) return;
        skipLinesWithoutContent();
    }
    // The same, but at the end of the script clears flag instead.
    void eraseGarbage(bool& flag);
    void skipLinesWithoutContent();

    // --- header and dispatch ---
    void getHeader();
    // Enters a name of the section being read; a name its kind already has
    // raises "   Item name duplication".
    void addToMap(nameMap& map, std::string_view name,
                  std::uint32_t& counter);
    // The number of a referenced name; "   Item N name not found" at the
    // reference's line when the map lacks it, pointing at the name as it is
    // written there (while reading on, the error is noted and the number is
    // 0). For a name of an items or filters line, taken is what paramView
    // dropped off the line to read it (the name may have lost blanks inside).
    // (Inlined where the reference is resolved: the lookup is the hot path.)
    std::uint32_t getNumFromMap(const nameMap& map, std::string_view name, std::uint32_t line,
                                const referenceInfo& ref, std::string_view taken = {}) {
        const std::uint32_t* found = map.find(name);
        if (found == nullptr) [[unlikely]] return nameNotFound(name, line, ref, taken);
        return *found;
    }
    std::uint32_t nameNotFound(std::string_view name, std::uint32_t line, const referenceInfo& ref,
                               std::string_view taken);
    void checkItemLimit(const std::uint32_t& counter, std::uint32_t limit, std::uint32_t kind);

    // --- sections ---
    // The readers take noting: whether they note the facts (facts is set
    // then). Each is made both ways, so that a compile that notes nothing
    // does not pay for a test at every value.
    // Reads the section that begins at the current line.
    template <bool noting>
    void readSection();
    // Starts a list, key, file, filter or marg section: the item's name is the
    // next word of the section line; it is entered under the kind's next number
    // and checked against the kind's limit.
    template <bool noting>
    void beginSection(nameMap& map, std::uint32_t& counter, std::uint32_t kind);
    // Moves to the section's next parameter line and cuts its keyword off:
    // "   Unknown parameter type" for a word that is none of the kind's
    // parameter keywords, "   Parameter redefinition" for a keyword seen before
    // in the section. Returns its index in the kind's keywords, from 1.
    template <std::uint32_t kind, bool noting>
    std::uint32_t nextParameter();
    template <bool noting>
    void listParse();
    template <bool noting>
    void keyParse();
    void checkDisable(std::uint16_t& slot);
    void checkKeyConf(const keyConf& key, const std::uint32_t& keyLine, const std::uint32_t& orderLine);
    // Warns about an order position with its reference switched off, and a
    // reference that no order position inserts.
    void warnUninserted(const keyConf& key, std::uint32_t orderLine);
    // Warns about a value of the current line that begins with a blank, which
    // only a blank after "KEYWORD =" puts there; written is the value as it
    // stands in the line, when the reader changed it.
    void warnOfLeadingBlank(std::string_view value, const char* what, const char* keyword,
                            std::string_view written);
    // --- values written otherwise than meant (cnfBuilderWarnings.cpp) ---
    // Each test here is the cheap part, made on every value; what follows
    // runs only for a value that may need a warning. what names the value in
    // a message, keyword is its parameter; written is the value as it stands
    // in the line, when the reader changed it.
    // A caption begun with a blank, in quotes (which stay part of it), or
    // begun with a ":" (which only a list's and a marg's lines drop).
    void checkCaption(std::string_view caption, const char* what, std::string_view written = {}) {
        if (!caption.empty() && mayBeMistaken(caption.front())) [[unlikely]]
            warnOfCaption(caption, what, written);
    }
    // Key data begun with a blank or a ":", or ended by a blank: all are
    // inserted with it.
    void checkKeyData(std::string_view data) {
        if (!data.empty() && (mayBeMistaken(data.front()) || data.back() == ' ')) [[unlikely]]
            warnOfKeyData(data);
    }
    // A "\n" in a tooltip, which stays two characters.
    void checkTooltip(std::string_view info) {
        if (info.find('\\') != std::string_view::npos) [[unlikely]] warnOfEscapedBreak(info);
    }
    // An extension written with its dot (".txt", "*.txt"), before which the
    // filter puts "*." all the same.
    void warnDottedExtension(std::string_view written);
    // The first order word written again with another between, which moves
    // it behind the other: the warning stands at the second and says what
    // the order inserts.
    void warnMovedOrderWord(std::uint8_t order);
    // A key whose order inserts its key data, which is empty.
    void warnEmptyKeyData(std::uint32_t argLine);
    // A list whose caption is empty.
    void warnEmptyCaption(std::string_view caption);
    // A header item holding a ";", which begins no comment there.
    void checkHeaderItem(std::string_view item) {
        if (item.find(';') != std::string_view::npos) [[unlikely]] warnOfHeaderSemicolon(item);
    }
    // Whether c is a blank, a quote or a colon: one test of a bit.
    static bool mayBeMistaken(char c) {
        const unsigned offset = static_cast<unsigned char>(c) - 32u;  // ' ' 32, '"' 34, '\'' 39, ':' 58
        return offset < 32u && ((0x04000085u >> offset) & 1u) != 0;
    }
    void warnOfCaption(std::string_view caption, const char* what, std::string_view written);
    void warnOfKeyData(std::string_view data);
    void warnOfEscapedBreak(std::string_view info);
    void warnOfHeaderSemicolon(std::string_view item);
    std::string unusedKeyDataText() const;
    std::string folderWithFilterText() const;
    template <bool noting>
    void fileParse();
    template <bool noting>
    void filterParse();
    template <bool noting>
    void margParse();
    template <bool noting>
    void defArgParse();

    // --- resolution ---
    void buildCnf();
    std::uint32_t getNubs(storeParam& ref, const nameMap& map,
                          std::vector<std::uint32_t>& out, std::uint32_t limit,
                          const referenceInfo& info);
    void getKeyParamNumbs();
    std::uint16_t getAllStrSum() const;

    // --- diagnostics (cnfBuilderDiagnostics.cpp) ---
    void warn(std::uint32_t line, textSpan where, std::string text);
    // `key "go"`: an item by kind and position among its kind (from 0).
    std::string itemText(std::uint32_t kind, std::size_t position) const;
    // The section being read, as itemText gives it.
    std::string sectionText() const;
    // The parameter keywords the section being read still lacks, "a, b";
    // as bits, bit i - 1 for the kind's keyword i.
    std::string missingParameters() const;
    std::uint32_t lackingParameters() const;
    // What a word found where a section or parameter keyword belongs may mean:
    // a "#" comment, a tab, capitals, a parameter of a finished section.
    std::string wordHints(std::string_view word, bool atSectionLevel) const;
    std::string scriptEndText() const;
    std::string notFoundText(std::string_view name, const referenceInfo& ref) const;
    // Warns about every item that nothing uses; needs the resolved config.
    void warnUnusedItems();

    // --- facts, and reading on past errors (cnfBuilderFacts.cpp) ---
    // With facts set before the script is loaded, the builder notes there
    // what it reads (scriptFacts.h), and reads on past an error instead of
    // ending: it keeps the error in errors and goes on at the next line that
    // begins a section; a name that names no item is noted and resolution
    // goes on. Past kMostErrors errors the reading ends, the first error
    // left out kept in firstLeftOut. The facts' texts are copies: they
    // outlive the builder.
    scriptFacts* facts = nullptr;
    std::vector<scriptError> errors;
    std::optional<scriptError> firstLeftOut;
    // parseScript when reading on.
    void parseScriptReadingOn();
    void readHeaderReadingOn();
    // Keeps an error; past the limit, ends the reading.
    void noteError(const scriptError& e);
    // After an error in the section that begins at sections[opened] (if
    // there is one) or at section level: the error kept, the failed
    // section's tables completed with placeholders, curLine at the next
    // line that begins a section.
    void readOnAfter(const scriptError& e, std::size_t opened);
    // Where a text of a line stands.
    scriptPlace placeOf(std::uint32_t line, std::string_view text) const;
    void noteSection(std::uint32_t kind, std::string_view name);
    void noteWord(std::string_view written, wordRole role, std::string_view word, std::uint32_t kind = 0);
    void noteText(std::uint32_t line, textRole role, std::string_view written, std::string_view value);
    void noteReference(std::uint32_t kind, std::string_view name, std::uint32_t line, std::string_view written);
    // Every name of an items or filters line, as resolution reads them.
    void noteNames(std::uint32_t kind, std::string_view written);
    // The words of the order line just read, as getOrder took them.
    void noteOrderWords();
    // The "<@" of a tooltip before it is rewritten.
    void noteLineBreaks(std::string_view info);
    // Reading on, the script ended inside its header or a section before
    // any def line: the def line is yet to be written, and its lack no error.
    bool defLineToCome() const;

    // The two file paths.
    std::string scriptPath;
    std::string configPath;
    // From the command line: the default folder with its separator, the
    // script name as given (empty when the default script stands) and every
    // refused name.
    std::string defaultFolder;
    std::string scriptArg;
    std::vector<std::string> refusedNames;

    // The config header block, 26 bytes in the file.
    char signature[6] = {};
    std::uint16_t version = 0;
    std::uint16_t allStrSum = 0;
    std::uint16_t defListIndex = 0;
    std::uint16_t listNum = 0;
    std::uint16_t listItemNum = 0;
    std::uint16_t fileFilterNum = 0;
    std::uint16_t keyNum = 0;
    std::uint16_t fileNum = 0;
    std::uint16_t filterNum = 0;
    std::uint16_t margNum = 0;

    // Compiled tables.
    std::vector<keyConf> keys;
    std::vector<fileConf> files;
    std::vector<std::uint32_t> listSizes;
    std::vector<std::uint32_t> itemNumbers;  // list item key numbers, then file filter numbers

    // Names and references, as the readers found them (kept after resolution,
    // for the tools that show where a name is used).
    nameMap listMap, keyMap, fileMap, filterMap, margMap;
    std::vector<storeParam> listItems;
    std::vector<storeParam> keyNextLists, keyMargs, keyFiles;
    std::vector<storeParam> fileFilters;

    // The strings of the config's string area; a filter's text is built from
    // its name and extensions.
    std::vector<std::string_view> listStrings;
    std::vector<doubleStr> keyStrings;
    std::vector<std::string_view> fileStrings;
    std::vector<std::string> filterStrings;
    std::vector<doubleStr> margStrings;
    std::vector<std::string_view> headerStrings;

    // Reading state.
    std::uint32_t lineCount = 0;  // the lines in the line buffer, lines.size()
    std::uint32_t curLine = 0;
    std::uint32_t paramCount = 0;
    std::uint32_t listCounter = 1;
    std::uint32_t keyCounter = 0;
    std::uint32_t fileCounter = 1;
    std::uint32_t filterCounter = 0;
    std::uint32_t margCounter = 1;
    const std::uint32_t noLine = 0;
    std::unique_ptr<char[]> scriptBytes;  // the whole script, as read
    std::size_t scriptSize = 0;
    std::vector<lineText> lines;  // lineCount views into scriptBytes; the rest read as empty
    std::deque<std::string> rewrittenTexts;  // texts the readers changed; never moved
    std::string_view itemName;
    std::string paramScratch;  // a parameter whose spaces were dropped
    doubleStr itemStrings;
    storeParam itemParam;
    storeParam defArg;
    fileConf fileRec;
    scriptError error;
    parserScr parser;

    // Diagnostics: the warnings found so far; the kind of the section being
    // read (0 while the header is read); the name and section line of every
    // item, by kind, in script order.
    std::vector<scriptWarning> warnings;
    std::string_view orderText;  // the order line of the key being read, behind its keyword
    std::uint32_t sectionKind = 0;
    std::vector<storeParam> definitions[DEF_KIND];  // indexed by kind, 1 to 5

private:
    // The config's bytes, counted before they are written.
    struct configBytes {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
    };
    configBytes buildConfig() const;
    // Sizes the name tables and item tables for what the script can hold.
    void reserveTables();
    // Takes the script's bytes over and splits them into lines; the buffer
    // has one byte more than the script, where the last line's NUL goes. No
    // bytes at all raise "   Empty file".
    void loadScriptText(std::unique_ptr<char[]> bytes, std::size_t size);
    // Makes lines of the script's bytes, given the offsets of feedCount line feeds.
    void splitLines(const std::size_t* feeds, std::size_t feedCount);
    // The script's own bytes where text lies among them, writable; nullptr
    // for a text elsewhere.
    char* writableScriptBytes(std::string_view text);
    // Keeps a text the readers rewrote for as long as the builder lives.
    std::string_view keepRewritten(std::string&& text);
    // "   Strings limit is exceeded" for the line feed at lastFeed, the one
    // after feedsBefore others, counting the lines after it.
    scriptError tooManyLines(std::size_t feedsBefore, std::size_t lastFeed);

    lineText pastEnd;  // the empty line handed out for indexes beyond the script
};
