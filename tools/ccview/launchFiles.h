// The files a server leaves for its user while it runs, in the user's
// private folder, each readable by this user only, and removed when the
// object goes, so that no way out of the server (an error, Ctrl+C, the idle
// time) leaves a token behind:
// - ccview-PORT.token: the token, a line of hexadecimal, for scripts;
// - ccview-PORT.html: the launch file, a page that posts the token to the
//   server's launch route as a form, from the browser that opens it. The
//   token never goes on a command line (every user can read those) nor in
//   an address (history keeps those).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "requestCheck.h"

class launchFiles {
public:
    // Files named "ccview-PORT" and an extension, in folder.
    launchFiles(std::string folder, int port);
    ~launchFiles();
    launchFiles(const launchFiles&) = delete;
    launchFiles& operator=(const launchFiles&) = delete;

    std::string tokenPath() const { return path(".token"); }
    std::string launchPath() const { return path(".html"); }

    // Write the file, replacing any there, to be removed at the end. False,
    // with why, when it cannot be written.
    bool writeToken(const std::string& token, std::string& why);
    bool writeLaunch(const serverIdentity& server, std::string& why);

private:
    std::string path(std::string_view extension) const;
    bool write(const std::string& file, std::string_view bytes, std::string& why);

    const std::string folder_;
    const int port_;
    std::vector<std::string> written_;
};

// The launch file's page for a server: it posts the token, as the form field
// "token", to http://127.0.0.1:PORT/launch as soon as it opens (with a button
// where scripts are off).
std::string launchFileText(const serverIdentity& server);
