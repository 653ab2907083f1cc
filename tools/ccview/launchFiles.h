// The files a server leaves for its user while it runs: the token for
// scripts, the page the browser is opened on. Each is a file only this user
// may read, in the user's private folder, and goes when the object does, so
// that no way out of the server (an error, Ctrl+C, the idle time) leaves a
// token behind.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class launchFiles {
public:
    // Files named "ccview-PORT" and an extension, in folder.
    launchFiles(std::string folder, int port);
    ~launchFiles();
    launchFiles(const launchFiles&) = delete;
    launchFiles& operator=(const launchFiles&) = delete;

    // The path of the file with this extension (".token", ".html").
    std::string path(std::string_view extension) const;

    // Writes bytes as the file with this extension, replacing any there, to
    // be removed at the end. False, with why, when it cannot be written.
    bool write(std::string_view extension, std::string_view bytes, std::string& why);

private:
    const std::string folder_;
    const int port_;
    std::vector<std::string> written_;
};
