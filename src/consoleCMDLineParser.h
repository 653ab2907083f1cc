// Path and extension tests used while reading the command line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "pathRules.h"

// The three switches of the command line, 0 = off, 1 = on.
struct cmdLineFlags {
    std::uint8_t showInfo = 0;     // "-i": paths before compiling, summary after it
    std::uint8_t holdConsole = 0;  // "-p": pause before the program ends
    std::uint8_t showHelp = 0;     // "-h": help text instead of compiling
};

class consoleCMDLineParser {
public:
    // Expands a bare program name into a full path (the platform's service by default).
    using fullPathFunc = std::function<std::string(const std::string&)>;

    explicit consoleCMDLineParser(pathStyle style = hostPathStyle(),
                                  fullPathFunc fullPath = fullPathOf);

    pathStyle style() const { return pathStyleValue; }
    char separator() const { return folderSeparator(pathStyleValue); }

    // The program's folder with its trailing separator. A program path without
    // a separator is expanded to a full path first; empty when that fails too.
    std::string extractFolderPath(const std::string& programPath);

    // The drive test: true when the path is used unchanged rather than put
    // into the default folder.
    bool checkRelativePath(const std::string& path) const;

    // True when the text after the name's last '.' equals ext, letter case
    // aside (file names are case-blind on Windows). A name without any '.'
    // prints "   Exstension error" and gives false.
    bool checkExtension(const char* ext, const std::string& name);

    // The text between the last separator (on Windows also a drive's ':') and
    // the last '.' of the path.
    std::string extractFileName(const std::string& path) const;

    // 'i', 'p' and 'h' set their switch; any other letter does nothing and
    // gives false.
    static bool setFlags(char letter, cmdLineFlags& flags);

    std::string workStr;  // scratch: the program path, or the last extension cut out

private:
    pathStyle pathStyleValue;
    fullPathFunc fullPathValue;
};
