// What ccview --serve answers, as its page and scripts see it: every route,
// what it takes and gives, and every event of the event stream with its
// fields. JSON bodies are UTF-8; paths and words are UTF-8 text.
//
// Every request first passes checkRequest (requestCheck.h): a refusal is a
// plain-text answer with its status (403, 405, 411, 413) and the connection
// ends with it. Errors of a route are {"error": text} with the status named
// below.
//
//   GET  /                 the page (text/html). With ?token=TOKEN (the
//                          launch address): a page that sends the browser on
//                          to "/" and sets the cookie ccview-PORT=TOKEN;
//                          403 for another token.
//
//   GET  /api/info         {"program": the program (path or bare name),
//                           "fixed": [its fixed arguments],
//                           "cwd": the working folder, absolute,
//                           "keptBytes": output bytes the server keeps a run,
//                           "nativeDialog": true where /api/dialog shows the
//                             desktop's own dialog,
//                           "separator": "/" or "\\",
//                           "running": whether a run is in progress}
//
//   POST /api/run          body {"words": [text, ...]}: the words after the
//                          fixed arguments. 200 {"started": true}; 400 for
//                          another body or a word holding a NUL; 409 while a
//                          run is in progress or the server is ending. A
//                          program that cannot start is still a run: its
//                          "end" event says why.
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
//   GET  /api/list?item=N&filter=F&folder=PATH
//                          one folder's listing for file item N (1-based)
//                          with its filter F (0-based) applied: {"folder",
//                          "parent" (null at the top), "entries": [{"name",
//                          "folder": bool}]} (browse.h). PATH empty: the
//                          working folder. 400 for no such item, 404 for a
//                          folder that cannot be read.
//
//   POST /api/dialog?item=N&filter=F
//                          the desktop's own dialog for file item N, filter
//                          F first: {"path": chosen} or {"cancelled": true};
//                          404 where there is no such dialog, 400 for no
//                          such item.
//
// Events (the JSON of each "data:" line), in order for each run:
//
//   {"type": "start", "run": N, "argv": [program, fixed..., words...],
//    "cwd": folder}
//   {"type": "output", "stream": "out"|"err", "data": base64 of the bytes}
//   {"type": "gap", "run": N, "bytes": output bytes no longer kept}
//                          (before the first output kept, when a reader
//                          missed some)
//   {"type": "stopping", "run": N}          (Stop was asked)
//   {"type": "end", "run": N, "ms": time taken, "outcome":
//      "exit" with "code": status |
//      "signal" with "signal": its name ("SIGSEGV", "access violation
//        (0xC0000005)") |
//      "stopped" |
//      "failed" with "message": why the program could not start,
//    and "note": text when a process that left the tree still held the
//    output}
//   {"type": "taken-over"}                  (another page now reads the runs)
#pragma once

#include <chrono>
#include <cstddef>

// Bytes of a run's output the server keeps, and that a page shows at most.
constexpr std::size_t keptOutputBytes = 8u << 20;

// The largest request body read.
constexpr std::size_t maxRequestBody = std::size_t{1} << 20;

// How long a stopped run's tree has to end before it is killed.
constexpr std::chrono::milliseconds stopGrace{2000};

// How often the event stream says it is still there while nothing happens.
constexpr std::chrono::seconds eventKeepAlive{15};
