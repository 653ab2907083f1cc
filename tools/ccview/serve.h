// ccview --serve: a config's page served on loopback, with a runner that
// starts the program fixed on the command line with the words the page
// builds, streams its output, and stops it. Who may ask it what is
// requestCheck.h; what it answers is serveApi.h.
//
// - the server listens on 127.0.0.1 only;
// - the token (256 random bits from the system) reaches the browser through
//   the launch file, which only this user can read and which posts it to the
//   server; the launch answer keeps it in its tab's session storage, and the
//   page sends it in a header with every request: no cookie, no address
//   holds it. It is also in a token file, for scripts. Both files go when
//   the server ends (launchFiles.h);
// - no CORS headers; the page may not be framed; its content security policy
//   allows its own script and connections to the server only;
// - the program is fixed when the server starts: a page can only add words;
// - a request's head is read within limits of size and time, and a body only
//   with its length, so that nobody can tie up the server before the checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cnfReader.h"
#include "shelf.h"

struct serveOptions {
    // A server of one config: its file name, shown on the page, the config,
    // and the program with its fixed arguments. Empty program: a shelf's
    // server instead.
    std::string configName;
    cnfConfig config;
    std::vector<std::string> program;
    // A shelf's server: its folders (the person's own first, with the
    // configs installed with ccview; or the one folder given).
    std::vector<shelfFolder> shelfFolders;
    // The person's one server, which a second start finds (personServer.h).
    bool personal = false;
    std::string cwd;  // the programs' working folder, absolute
    bool openBrowser = true;
    int idleMinutes = 0;  // 0: never ends for want of a page
    int port = 0;         // 0: a config's own port, or any free one for a shelf
};

// The port a config is served on unless told otherwise: derived from the
// config's content, so that the page's origin stays the same from one start
// to the next (pages of earlier versions kept the values in the browser per
// origin, and the page takes them over from there once); in 61000-65535,
// above the ports Linux hands out on its own.
int configPort(const cnfConfig& config);

// A 64-bit FNV-1a hash of the config's JSON form: what its port and the
// folder of its runs are derived from.
std::uint64_t configHash(const cnfConfig& config);

// Serves until Ctrl+C, SIGTERM or SIGHUP, Quit on the shelf, or the idle time
// passing with no page and no run; prints the launch file's path on standard
// output, the rest on standard error. A run in progress at the end is
// stopped as Stop stops it. A personal server that finds the person's server
// running opens its launch file instead (prints it, with openBrowser false).
// Returns the exit status: 0 after a normal end, 1 when the server cannot
// start.
int serve(const serveOptions& options);
