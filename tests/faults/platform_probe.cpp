// Makes one call of the platform layer, as its arguments say, and prints what
// came of it as a user of that call would see it, for the tests that run it
// with calls of the C library made to fail (fail_calls.cpp). After the call
// it says what else a user would find amiss: a descriptor left open, a
// process of the run left running.
//
//   replace FILE TEXT        replaceFile
//   private FILE TEXT        replacePrivateFile
//   new-private FILE TEXT    writePrivateFile
//   lock FILE                takeLock
//   random COUNT             systemRandom
//   folder                   makeUserFolder (the config folder)
//   self                     thisProgramPath
//   browser TARGET           openInBrowser
//   echo                     standard input to standard output, through
//                            readStandardInput and writeStandardOutput
//   dialog                   that no file dialog of the desktop is offered
//   wait-input HOW           a program that waits for its input in poll,
//                            ppoll, select, pselect or epoll_wait
//   run [keep] [keeper-fail RULES] [then-fail RULES] [input TEXT] [stop|end-now] [drop] [pids FILE] PROGRAM ARGS...
//       starts PROGRAM (keep: under a keeper; keeper-fail: the keeper with
//       those faults; then-fail: these faults once it has started; input:
//       TEXT written to its standard input, then closed; stop / end-now:
//       asked to end / ended once it waits for its input; drop: given up on
//       without waiting for it), prints its output and how it ended; the
//       processes whose ids it wrote to FILE must be gone after.
//
// The exit status: 0 when the call succeeded, 1 when it failed, 2 for a
// usage error.
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/select.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "childProcess.h"
#include "console.h"
#include "dialog.h"
#include "files.h"
#include "host.h"
#include "platformProbe.h"
#include "userFolders.h"

namespace {

// The descriptors open now (those below the limit, probed without a call
// that a fault could make fail).
int openDescriptors() {
    int count = 0;
    for (int fd = 0; fd < 1024; ++fd) count += ::fcntl(fd, F_GETFD) != -1;
    return count;
}

// Whether a process still runs (a zombie has ended), read from /proc.
bool stillRuns(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z';
}

std::string shown(const std::string& bytes) {
    std::string out;
    for (const char c : bytes) out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

int result(bool ok, const std::string& yes, const std::string& no) {
    std::cout << (ok ? yes : no) << std::endl;
    return ok ? 0 : 1;
}

int run(std::vector<std::string> words) {
    bool keep = false, stop = false, endNow = false, drop = false, piped = false;
    std::string input, pids, thenFail;
    while (!words.empty()) {
        if (words[0] == "keep") {
            keep = true;
        } else if (words[0] == "stop" || words[0] == "end-now") {
            stop = piped = true;
            endNow = words[0] == "end-now";
        } else if (words[0] == "drop") {
            drop = true;
        } else if (words.size() > 1 && words[0] == "keeper-fail") {
            ::setenv("TARVELKIN_FAIL", words[1].c_str(), 1);
            words.erase(words.begin());
        } else if (words.size() > 1 && words[0] == "then-fail") {
            thenFail = words[1];
            words.erase(words.begin());
        } else if (words.size() > 1 && words[0] == "input") {
            piped = true;
            input = words[1];
            words.erase(words.begin());
        } else if (words.size() > 1 && words[0] == "pids") {
            pids = words[1];
            words.erase(words.begin());
        } else {
            break;
        }
        words.erase(words.begin());
    }
    if (keep && !childProcess::holdWholeTree()) std::cout << "whole tree not held" << std::endl;
    const int before = openDescriptors();
    int status = 0;
    {
        std::string why;
        const auto child = childProcess::start(words, "", why, piped ? childInput::pipe : childInput::closed);
        if (child == nullptr) {
            std::cout << "not started: " << why << std::endl;
            status = 1;
        } else {
            if (!thenFail.empty()) {
                using failFrom = void (*)(const char*);
                const auto more = reinterpret_cast<failFrom>(::dlsym(RTLD_DEFAULT, "tarvelkinFailFromNow"));
                if (more != nullptr) more(thenFail.c_str());
            }
            std::string out, err;
            std::atomic<bool> errCame{false};
            const auto drain = [&child, &errCame](childProcess::stream which, std::string& into) {
                char buffer[256];
                for (std::size_t got; (got = child->read(which, buffer, sizeof buffer)) > 0;) {
                    into.append(buffer, got);
                    if (which == childProcess::stream::err) errCame = true;
                }
            };
            std::thread outReader(drain, childProcess::stream::out, std::ref(out));
            std::thread errReader(drain, childProcess::stream::err, std::ref(err));
            if (stop) {
                // Asked to end once it reads (a bounded number of looks), or
                // once it has asked when that cannot be known.
                for (int look = 0; look < 500 && !errCame; ++look)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                inputWait seen = inputWait::unknown;
                for (int look = 0; look < 200 && (seen = child->waitingForInput()) == inputWait::notReading; ++look)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                std::cout << "input: "
                          << (seen == inputWait::reading ? "read" : seen == inputWait::unknown ? "unknown" : "not read")
                          << std::endl;
                if (endNow)
                    child->endNow();
                else
                    child->askToEnd();
            } else if (piped) {
                std::cout << "input " << (child->writeInput(input.data(), input.size()) ? "written" : "not written")
                          << std::endl;
                child->closeInput();
            }
            if (drop) {
                // Given up on without waiting: its tree ends as it goes.
                child->abandonOutput();
                outReader.join();
                errReader.join();
                std::cout << "dropped" << std::endl;
            } else {
                const processOutcome how = child->wait();
                outReader.join();
                errReader.join();
                std::cout << "out: " << shown(out) << "\nerr: " << shown(err) << "\nended: "
                          << (how.signalled ? signalName(how.code) : "exit " + std::to_string(how.code)) << std::endl;
            }
        }
    }
    if (openDescriptors() != before) std::cout << "descriptors left open: " << openDescriptors() - before << std::endl;
    if (!pids.empty()) {
        std::ifstream file(pids);
        for (std::string pid; std::getline(file, pid);)
            if (stillRuns(pid)) std::cout << "left running: a process of the run" << std::endl;
    }
    return status;
}

// A program that waits for its input in poll, ppoll, select, pselect or
// epoll_wait, as the word says, after asking for it on standard error, then
// reads a line.
int waitForInput(const std::string& how) {
    std::cerr << "?" << std::flush;
    pollfd in{0, POLLIN, 0};
    fd_set set;
    FD_ZERO(&set);
    FD_SET(0, &set);
    if (how == "poll") {
        ::poll(&in, 1, -1);
    } else if (how == "ppoll") {
        ::ppoll(&in, 1, nullptr, nullptr);
    } else if (how == "select") {
        ::select(1, &set, nullptr, nullptr, nullptr);
    } else if (how == "pselect") {
        ::pselect(1, &set, nullptr, nullptr, nullptr, nullptr);
    } else if (how == "epoll") {
        const int watch = ::epoll_create1(EPOLL_CLOEXEC);
        epoll_event event{};
        event.events = EPOLLIN;
        ::epoll_ctl(watch, EPOLL_CTL_ADD, 0, &event);
        ::epoll_wait(watch, &event, 1, -1);
        ::close(watch);
    } else {
        return 2;
    }
    std::string line;
    std::getline(std::cin, line);
    std::cout << "got: " << line << std::endl;
    return 0;
}

int echo() {
    char buffer[4096];
    for (;;) {
        const std::ptrdiff_t got = readStandardInput(buffer, sizeof buffer);
        if (got < 0) {
            std::cerr << "cannot read: " << std::strerror(errno) << std::endl;
            return 1;
        }
        if (got == 0) return 0;
        if (!writeStandardOutput(buffer, static_cast<std::size_t>(got))) {
            std::cerr << "cannot write" << std::endl;
            return 1;
        }
    }
}

}  // namespace

int platformProbe(const std::vector<std::string>& words) {
    if (words.empty()) return 2;
    const std::string& what = words[0];
    std::string why;
    if (what == "replace" && words.size() == 3) {
        std::error_code reason;
        const bool ok = replaceFile(words[1], words[2], reason);
        return result(ok, "replaced", "not replaced: " + reason.message());
    }
    // (Each call is made before its reason is read: the order in which a
    // call's arguments are worked out is the compiler's.)
    if (what == "private" && words.size() == 3) {
        const bool ok = replacePrivateFile(words[1], words[2], why);
        return result(ok, "replaced", "not replaced: " + why);
    }
    if (what == "new-private" && words.size() == 3) {
        const bool ok = writePrivateFile(words[1], words[2], why);
        return result(ok, "written", "not written: " + why);
    }
    if (what == "lock" && words.size() == 2) {
        const std::intptr_t lock = takeLock(words[1], why);
        releaseLock(lock);
        return result(lock >= 0, "locked", why.empty() ? "held by another process" : "not locked: " + why);
    }
    if (what == "random" && words.size() == 2) {
        std::vector<unsigned char> bytes(std::strtoul(words[1].c_str(), nullptr, 10));
        return result(systemRandom(bytes.data(), bytes.size()), "random bytes", "no random bytes");
    }
    if (what == "folder" && words.size() == 1) {
        std::string path;
        const bool ok = makeUserFolder(userFolder::config, path, why);
        return result(ok, "made", "not made: " + why);
    }
    if (what == "self" && words.size() == 1) return result(!thisProgramPath().empty(), "found", "not found");
    if (what == "browser" && words.size() == 2) return result(openInBrowser(words[1]), "opened", "not opened");
    if (what == "echo" && words.size() == 1) return echo();
    if (what == "wait-input" && words.size() == 2) return waitForInput(words[1]);
    if (what == "dialog" && words.size() == 1)
        return result(!haveNativeFileDialog() && !nativeFileDialog(dialogKind::open, "Open", "", "").has_value(),
                      "no dialog", "a dialog");
    if (what == "run" && words.size() > 1) return run(std::vector<std::string>(words.begin() + 1, words.end()));
    std::cerr << "usage: replace|private|new-private|lock|random|folder|self|browser|echo|dialog|wait-input|run ..."
              << std::endl;
    return 2;
}
