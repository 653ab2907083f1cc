// tarvelkin-ls: the language server for tarvelkin scripts, over standard
// input and output. It reads messages as they come, answers each, and
// publishes diagnostics whenever no whole message waits (lsServer.h).
// A stream it cannot read as messages ends it, with the reason on standard
// error and status 1; so does an end of input before the exit notification.
#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#include "console.h"
#include "lsFraming.h"
#include "lsServer.h"

namespace {

int stop(const std::string& why) {
    std::cerr << "tarvelkin-ls: error: " << why << std::endl;
    return 1;
}

// Writes the server's messages; false when standard output is gone.
bool flush(languageServer& server) {
    for (const std::string& body : server.takeOutput()) {
        const std::string bytes = framed(body);
        if (!writeStandardOutput(bytes.data(), bytes.size())) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        const std::string arg = argv[1];
        if (arg == "--version") {
            std::cout << "tarvelkin-ls " << TARVELKIN_VERSION << std::endl;
            return 0;
        }
        // Editors start it with "--stdio"; standard input and output are all it speaks.
        if (arg != "--stdio")
            return stop("unknown argument \"" + arg +
                        "\"; tarvelkin-ls speaks the Language Server Protocol on standard input and output "
                        "(see man tarvelkin-ls)");
    }
    prepareProcess();
    binaryStandardOutput();
    languageServer server;
    messageReader reader;
    static char chunk[1 << 16];
    for (;;) {
        errno = 0;
        const std::ptrdiff_t read = readStandardInput(chunk, sizeof chunk);
        if (read < 0) return stop(std::string("cannot read standard input: ") + std::strerror(errno));
        if (read == 0) {
            if (reader.partial()) return stop("standard input ended inside a message");
            return stop("standard input ended before the exit notification");
        }
        reader.feed({chunk, static_cast<std::size_t>(read)});
        std::string body;
        for (;;) {
            const messageReader::status status = reader.next(body);
            if (status == messageReader::status::bad) return stop("cannot read the messages on standard input: " + reader.problem());
            if (status == messageReader::status::needMore) break;
            server.receiveText(body);
            if (!flush(server)) return stop("cannot write standard output: the editor has gone");
            if (server.finished()) return server.exitStatus();
        }
        // Caught up with the editor: what changed is compiled now.
        server.idle();
        if (!flush(server)) return stop("cannot write standard output: the editor has gone");
    }
}
