#include "consoleCMDLineParser.h"

#include <iostream>
#include <utility>

#include "utils.h"

consoleCMDLineParser::consoleCMDLineParser(pathStyle style, fullPathFunc fullPath)
    : pathStyleValue(style), fullPathValue(std::move(fullPath)) {}

std::string consoleCMDLineParser::extractFolderPath(const std::string& programPath) {
    workStr = programPath;
    std::size_t last = workStr.rfind(separator());
    if (last == std::string::npos) {
        workStr = fullPathValue(programPath);
        last = workStr.rfind(separator());
    }
    if (last == std::string::npos) return std::string();
    return workStr.substr(0, last + 1);
}

bool consoleCMDLineParser::checkRelativePath(const std::string& path) const {
    return isUnchangedPath(pathStyleValue, path);
}

bool consoleCMDLineParser::checkExtension(const char* ext, const std::string& name) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        std::cout << "   Exstension error" << std::endl;
        return false;
    }
    workStr = name.substr(dot + 1);
    return equalIgnoringCase(workStr, ext);
}

std::string consoleCMDLineParser::extractFileName(const std::string& path) const {
    // On Windows a drive ("c:name.sc") is no part of the name either: a ':'
    // in the derived config's name would make it a hidden stream of another file.
    std::size_t slash = pathStyleValue == pathStyle::windows ? path.find_last_of("\\:")
                                                             : path.rfind(separator());
    std::size_t begin = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < begin) dot = path.size();
    return path.substr(begin, dot - begin);
}

bool consoleCMDLineParser::setFlags(char letter, cmdLineFlags& flags) {
    switch (letter) {
        case 'i': flags.showInfo = 1; return true;
        case 'p': flags.holdConsole = 1; return true;
        case 'h': flags.showHelp = 1; return true;
        default: return false;
    }
}
