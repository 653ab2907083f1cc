// What ccview --serve answers, as its page and scripts see it: every route,
// what it takes and gives, and every event of the event stream with its
// fields. JSON bodies are UTF-8; paths and words are UTF-8 text.
//
// Every request first passes checkRequest (requestCheck.h): a refusal is a
// plain-text answer with its status (400, 403, 405, 411, 413) and the
// connection ends with it, as it does after any answer to a request without
// the token. Every route under /api/ takes the token in the X-Ccview-Token
// header. Errors of a route are {"error": text} with the status named below.
//
//   POST /launch           form body token=TOKEN, posted by the launch file
//                          (launchFiles.h): the launch answer (text/html),
//                          which keeps the token in its tab's session
//                          storage and replaces itself by "/"; 403 for
//                          another token.
//
//   GET  /                 the page (text/html); it holds no secret.
//
//   GET  /api/info         {"program": the program (path or bare name),
//                           "fixed": [its fixed arguments],
//                           "cwd": the working folder, absolute,
//                           "home": the user's home folder, or "",
//                           "keptBytes": output bytes of a run the event
//                             stream can give again (the last ones),
//                           "runBytes": output bytes of a run kept on disk
//                             at least (its end), or 0 when runs are not
//                             kept (no state folder),
//                           "historyRuns": how many runs the history keeps,
//                           "nativeDialog": true where /api/dialog shows the
//                             desktop's own dialog,
//                           "separator": "/" or "\\",
//                           "running": whether a run is in progress}
//
//   POST /api/run          body {"words": [text, ...], "input": true|false,
//                          "cwd": folder, "form": {...}}: the words after
//                          the fixed arguments; with "input" true standard
//                          input is a pipe fed by /api/input, else closed
//                          (the null device); "cwd" the working folder,
//                          absolute or from the server's (absent or "": the
//                          server's); "form" the page's choices, kept in the
//                          run's record for Run again (all but "words" may
//                          be left out). 200 {"started": true, "id": ID};
//                          400 for another body, a word holding a NUL or a
//                          "cwd" that is no folder; 409 while a run is in
//                          progress or the server is ending. A program that
//                          cannot start is still a run: its "end" event says
//                          why.
//
//   POST /api/input        body {"line": text}: the text and the system's
//                          line end to the program's standard input; or
//                          {"end": true}: closes it. 200 {"sent": true};
//                          400 for another body; 409 when no run in progress
//                          has its input open, or 1 MB of input waits.
//
//   GET  /api/history      {"runs": [the last runs' records, newest first
//                          (runHistory.h), each with "kept": bytes of its
//                          output kept], "running": the id of the run in
//                          progress or null}
//
//   GET  /api/output?id=ID&from=N   or   ?id=ID&tail=LINES
//                          a run's kept output, 1 MB of it at most from
//                          offset N (or from where its last LINES lines, 8 MB
//                          at most, begin): {"id", "first": the first offset
//                          kept, "size": the output's bytes, "from",
//                          "next": where the next part begins, "pieces":
//                          [{"stream": "out"|"err", "at": offset, "data":
//                          base64} | {"stream": "in", "at": offset, "text":
//                          a line sent}]}. 404 for no such run kept.
//
//   GET  /api/save?id=ID   a run's whole kept output, its bytes as the
//                          program wrote them (both streams, in the order
//                          they came; no input), as a download. 404 for no
//                          such run kept.
//
//   POST /api/stop         200 {"stopping": true} when a run was asked to
//                          stop, false when none was in progress.
//
//   GET  /api/events       text/event-stream: "retry: 1000", then the events
//                          after the one the Last-Event-ID header names (all
//                          that are kept without it), each as
//                          "id: SEQ\ndata: JSON\n\n"; a comment line every
//                          15 s while nothing happens. One page at a time:
//                          a newer stream takes the place of an older one,
//                          which gets "taken-over" and ends.
//
//   GET  /api/list?item=N&filter=F&folder=PATH&hidden=1
//                          one folder's listing for file item N (1-based)
//                          with its filter F (0-based) applied, or for item
//                          0 its folders only: {"folder", "parent" (null at
//                          the top), "entries": [{"name", "folder": bool}]}
//                          (browse.h); hidden entries with hidden=1. PATH
//                          empty: the working folder. 400 for no such item,
//                          404 for a folder that cannot be read.
//
//   POST /api/dialog?item=N&filter=F
//                          the desktop's own dialog for file item N, filter
//                          F first: {"path": chosen} or {"cancelled": true};
//                          404 where there is no such dialog, 400 for no
//                          such item.
//
// The shelf's server (ccview with no config, or --serve FOLDER) adds, each
// answered 404 by a server of one config:
//
//   GET  /api/shelf        {"entries": [{"id", "name", "path", "own",
//                          "refused", "headerItems", "program": {"name",
//                          "path", "found", "chosen"}}], "folders": [{"path",
//                          "own"}], "notice", "nativeDialog", "separator"}
//                          (shelf.h); a config's run page is /config/ID, its
//                          API calls take ?config=ID.
//   POST /api/shelf/add, /remove, /program, /dialog; GET /api/shelf/browse
//                          adding a config, removing one, choosing its
//                          program (shelfRoutes.cpp); 409 {"error"} when
//                          refused.
//
//   POST /api/shelf/make   body {"program": a bare name, found in PATH as a
//                          config's program is, or a full path; "args":
//                          [the help's words] (absent: ["--help"]);
//                          "replace": true to write over the files}: runs
//                          the program once with those words (no shell,
//                          input closed, 10 s, 4 MB kept), drafts a script
//                          from its help, compiles it and writes NAME.sc and
//                          NAME.cc (NAME the program's file name, without
//                          .exe on Windows) into the person's folder, each
//                          whole; a program its name would not find is
//                          remembered for the config. 200 {"id", "name":
//                          "NAME.cc"}; 400 for another body; 404 for a
//                          program that is not found; 409 {"error",
//                          "exists": ["NAME.sc", "NAME.cc" present]} when
//                          either is there and "replace" is not true (nothing
//                          has run then), or {"error"} when a file cannot be
//                          written; 422 when the program cannot be started,
//                          prints no options or runs past its time; 500 for
//                          a draft the compiler refuses, with its message.
//                          Nothing is written but on 200.
//
//   POST /api/quit         {"ending": true}, and the server ends.
//
// Events (the JSON of each "data:" line), in order for each run:
//
//   {"type": "start", "run": N, "id": ID, "argv": [program, fixed...,
//    words...], "cwd": folder, "input": true|false, "started": ms since
//    1970, and "note" when its output cannot be kept on disk}
//   {"type": "output", "stream": "out"|"err", "at": the offset of its first
//    byte in the run's output, "data": base64 of the bytes}
//   {"type": "gap", "run": N, "at": offset}  (the output before offset that
//                          this reader did not get, and will not: it fell
//                          behind, or the run ended; the disk keeps it)
//   {"type": "input", "run": N, "at": offset, "text": a line sent}
//   {"type": "reading", "run": N, "state": "reading" | "not-reading" |
//    "unknown" | "closed"}  (whether the program waits for its input:
//                          sent when that changes, while the input is open)
//   {"type": "stopping", "run": N}          (Stop was asked)
//   {"type": "end", "run": N, "id": ID, "ms": time taken, "bytes": output
//    bytes in all, "outcome":
//      "exit" with "code": status, and "askedForInput": true when its input
//        was closed and it ended right after writing a line without a line
//        end (a question it got no answer to) |
//      "signal" with "signal": its name ("SIGSEGV", "access violation
//        (0xC0000005)") |
//      "stopped" |
//      "failed" with "message": why the program could not start,
//    and "note": text when a process that left the tree still held the
//    output, or the disk took not all of it}
//   {"type": "taken-over"}                  (another page now reads the runs)
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

// The route the launch file posts the token to.
inline constexpr const char* launchPath = "/launch";

// Bytes of a run's output the server keeps in memory for its event stream.
constexpr std::size_t keptOutputBytes = 8u << 20;

// A run's output on disk rolls over to a new part past this many bytes; the
// last two parts are kept: at least this much of its end, at most twice.
constexpr std::uint64_t runPartBytes = std::uint64_t{64} << 20;

// How many runs of a config the history keeps, and what the outputs of
// every config's runs may take together before the oldest go.
constexpr std::size_t historyRuns = 20;
constexpr std::uint64_t totalKeptBytes = std::uint64_t{512} << 20;

// The output a page is sent live: this many bytes a second at most, in
// bursts of at most liveBurst; what a program writes faster is skipped (and
// read from the disk when the run has ended).
constexpr std::size_t liveBytesPerSecond = std::size_t{1} << 20;
constexpr std::size_t liveBurst = std::size_t{256} << 10;

// The most output one GET /api/output gives, and the most of a run's end it
// starts from.
constexpr std::size_t outputPartBytes = std::size_t{1} << 20;
constexpr std::uint64_t outputTailBytes = std::uint64_t{8} << 20;

// The largest request body read.
constexpr std::size_t maxRequestBody = std::size_t{1} << 20;

// How long a stopped run's tree has to end before it is killed.
constexpr std::chrono::milliseconds stopGrace{2000};

// How often the event stream says it is still there while nothing happens.
constexpr std::chrono::seconds eventKeepAlive{15};
