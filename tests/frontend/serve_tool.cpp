// The program the runner's tests run: it does what its arguments say, in
// order, so that a test decides what it writes, when, and how it ends.
//
//   control:PORT   where wait: asks (a server of the test's on 127.0.0.1)
//   out:TEXT       writes TEXT to standard output (\n \r \e \\ and \xHH
//   err:TEXT       decoded) and flushes it; err: to standard error
//   wait:NAME      blocks until the test answers GET /NAME on its server
//   flood:BYTES    writes BYTES bytes of numbered lines to standard output
//   dots:COUNT     writes COUNT dots to standard output, 64 KiB a write
//   drip:COUNT     writes COUNT dots to standard output, one write each,
//                  with a pause between that lets a reader keep up (POSIX)
//   stamp          writes "stamp " and the time since the epoch in
//                  microseconds, as a line, to standard output
//   touch:PATH     creates the file PATH
//   pid:PATH       appends its process id, as a line, to the file PATH
//   ignore-stop    ignores the polite request to end (SIGTERM, Ctrl+Break)
//   trap:PATH      on the polite request to end, creates PATH and ends
//   setsid         leaves its process group for a new session (POSIX)
//   fds            prints each descriptor above 2 that it has open (POSIX)
//   spawn:N        starts this program again with the N arguments after
//                  this one (control: first), sharing its output, and goes
//                  on after them
//   ask:PROMPT     writes PROMPT (decoded as out: does) to standard error,
//                  with no line end, reads a line from standard input and
//                  writes "answer: LINE" (its line end dropped) to standard
//                  output; at the input's end, nothing (as cp -i)
//   tty            opens the controlling terminal (/dev/tty) and writes
//                  "tty: opened" or "tty: " and the reason it failed (POSIX)
//   argv           prints each argument after this one as a line of the
//                  hexadecimal of its bytes, and ends
//   abort          ends by abort()
//   exit:N         ends with status N (0x for hexadecimal)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <httplib.h>

#include "childProcess.h"

namespace {

std::string decoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'n') out += '\n';
        else if (c == 'r') out += '\r';
        else if (c == 'e') out += '\x1b';
        else if (c == 'x' && i + 2 < text.size() + 1) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else out += c;
    }
    return out;
}

void put(std::FILE* stream, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

}  // namespace

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

BOOL WINAPI ignoreBreak(DWORD) { return TRUE; }
void ignoreStop() { SetConsoleCtrlHandler(ignoreBreak, TRUE); }
std::string trapPath;
BOOL WINAPI trapBreak(DWORD) {
    if (std::FILE* f = std::fopen(trapPath.c_str(), "wb")) std::fclose(f);
    ExitProcess(0);
}
void trapStop(const std::string& path) {
    trapPath = path;
    SetConsoleCtrlHandler(trapBreak, TRUE);
}
void newSession() {}
long ownId() { return static_cast<long>(GetCurrentProcessId()); }
std::string openDescriptors() { return {}; }
std::string openTerminal() { return "no such thing here"; }
void shortPause() {}
void binaryOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

void spawnSelf(std::vector<std::string> args) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    args.insert(args.begin(), "serve_tool");
    const std::string line = windowsCommandLine(args);
    std::wstring wide(line.begin(), line.end());  // the tests' words are ASCII
    STARTUPINFOW info{};
    info.cb = sizeof info;
    info.dwFlags = STARTF_USESTDHANDLES;
    info.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    info.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    info.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(self, wide.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &info, &started))
        std::exit(70);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
}

}  // namespace
#else
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <ctime>
#include <spawn.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

extern char** environ;

namespace {

void ignoreStop() { std::signal(SIGTERM, SIG_IGN); }
void binaryOutput() {}
std::string trapPath;
void trapStop(const std::string& path) {
    trapPath = path;
    std::signal(SIGTERM, [](int) {
        ::close(::open(trapPath.c_str(), O_WRONLY | O_CREAT, 0600));
        ::_exit(0);
    });
}
void newSession() { ::setsid(); }
std::string openTerminal() {
    const int fd = ::open("/dev/tty", O_RDWR);
    if (fd < 0) return std::strerror(errno);
    ::close(fd);
    return "opened";
}
long ownId() { return static_cast<long>(::getpid()); }
// A few microseconds: the shortest sleep the system gives.
void shortPause() {
#ifdef PR_SET_TIMERSLACK
    static const bool exact = ::prctl(PR_SET_TIMERSLACK, 1) == 0;
    (void)exact;
#endif
    const timespec pause{0, 1000};
    ::nanosleep(&pause, nullptr);
}
std::string openDescriptors() {
    std::string open;
    for (int fd = 3; fd < 1024; ++fd)
        if (::fcntl(fd, F_GETFD) != -1) open += "fd " + std::to_string(fd) + "\n";
    return open;
}

void spawnSelf(std::vector<std::string> args, const char* self) {
    args.insert(args.begin(), self);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, self, nullptr, nullptr, argv.data(), environ) != 0) std::exit(70);
}

}  // namespace
#endif

int main(int argc, char** argv) {
    binaryOutput();
    std::unique_ptr<httplib::Client> control;
    std::string controlArg;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const std::size_t colon = arg.find(':');
        const std::string_view verb = arg.substr(0, colon);
        const std::string value(colon == std::string_view::npos ? std::string_view() : arg.substr(colon + 1));
        if (verb == "control") {
            controlArg = std::string(arg);
            control = std::make_unique<httplib::Client>("127.0.0.1", std::atoi(value.c_str()));
            control->set_read_timeout(24 * 3600, 0);
        } else if (verb == "out" || verb == "err") {
            put(verb == "out" ? stdout : stderr, decoded(value));
        } else if (verb == "wait") {
            if (!control || !control->Get("/" + value)) return 71;
        } else if (verb == "flood") {
            const long total = std::atol(value.c_str());
            std::string chunk;
            for (long line = 0, written = 0; written < total; ++line) {
                chunk += "line " + std::to_string(line) + " of the flood, to fill the output panel\n";
                if (chunk.size() >= 65536 || written + static_cast<long>(chunk.size()) >= total) {
                    chunk.resize(std::min<std::size_t>(chunk.size(), static_cast<std::size_t>(total - written)));
                    put(stdout, chunk);
                    written += static_cast<long>(chunk.size());
                    chunk.clear();
                }
            }
        } else if (verb == "dots") {
            for (long n = std::atol(value.c_str()); n > 0; n -= 65536)
                put(stdout, std::string(static_cast<std::size_t>(std::min(n, 65536L)), '.'));
        } else if (verb == "drip") {
            for (long n = std::atol(value.c_str()); n > 0; --n) {
                put(stdout, ".");
                shortPause();
            }
        } else if (verb == "trap") {
            trapStop(value);
        } else if (verb == "setsid") {
            newSession();
        } else if (verb == "fds") {
            put(stdout, openDescriptors());
        } else if (verb == "stamp") {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            put(stdout, "stamp " + std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count()) +
                            "\n");
        } else if (verb == "touch") {
            std::FILE* f = std::fopen(value.c_str(), "wb");
            if (f != nullptr) std::fclose(f);
        } else if (verb == "pid") {
            std::FILE* f = std::fopen(value.c_str(), "ab");
            if (f != nullptr) {
                std::fprintf(f, "%ld\n", ownId());
                std::fclose(f);
            }
        } else if (verb == "ignore-stop") {
            ignoreStop();
        } else if (verb == "spawn") {
            std::vector<std::string> rest{controlArg};
            const int count = std::atoi(value.c_str());
            for (int k = 0; k < count && i + 1 < argc; ++k) rest.emplace_back(argv[++i]);
#ifdef _WIN32
            spawnSelf(rest);
#else
            spawnSelf(rest, argv[0]);
#endif
        } else if (verb == "ask") {
            put(stderr, decoded(value));
            std::string line;
            int c = 0;
            while ((c = std::getchar()) != EOF && c != '\n') line += static_cast<char>(c);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (c != EOF || !line.empty()) put(stdout, "answer: " + line + "\n");
        } else if (verb == "tty") {
            put(stdout, "tty: " + openTerminal() + "\n");
        } else if (verb == "argv") {
            static const char digits[] = "0123456789abcdef";
            for (++i; i < argc; ++i) {
                std::string line;
                for (const unsigned char c : std::string_view(argv[i])) line += {digits[c >> 4], digits[c & 15]};
                put(stdout, line + "\n");
            }
            return 0;
        } else if (verb == "abort") {
            std::abort();
        } else if (verb == "exit") {
            return static_cast<int>(std::strtoul(value.c_str(), nullptr, 0));
        } else {
            std::fprintf(stderr, "serve_tool: unknown step %s\n", argv[i]);
            return 72;
        }
    }
    return 0;
}
