// End-to-end tests: every case file in tests/e2e/ runs the built program once,
// the way a user runs it, and checks everything the run leaves behind.
//
// For each case the runner makes a fresh temporary folder (${DIR} below), copies
// the program into it as "tarvelkin" ("tarvelkin.exe" on Windows), creates
// "config/" beside it, writes the case's files, takes a snapshot of the folder,
// and runs the program with the case's arguments, standard input read from
// /dev/null (NUL on Windows). It then compares the whole standard output and
// standard error, the exit status and the expected files.
// Every file the case wrote must keep its bytes unless an "expect:" line names
// it, and no file or folder may appear in ${DIR} that no "expect:" line names
// (a left-over temporary file, a config written to the wrong place).
//
// Case file format (one directive per line; blank lines and lines starting with
// '#' between directives are ignored):
//
//   platform: posix        the case runs only on this platform ("posix" or
//                          "windows") and is skipped elsewhere (default: both)
//   args: -i a.sc          arguments, split at blanks (none when the line is left out)
//   cwd: work              folder to run in, relative to ${DIR}, created if missing
//                          (default: ${DIR} itself)
//   program: ../tarvelkin  how the program is called, relative to the cwd; it is
//                          both the path run and argv[0] (default: ./tarvelkin).
//                          On Windows '/' becomes '\' and the file run gets ".exe".
//   search-path: .         where a bare program name is found when the cwd does not
//                          hold the program, as a shell finds it through PATH;
//                          relative to ${DIR}
//   file-size-limit: 50    runs the program with this limit (RLIMIT_FSIZE) on
//                          the size of every file it writes, its output included
//                          (POSIX only)
//   dir: config/x.sc       creates a folder
//   link: config/a.cc b.cc a symbolic link to b.cc (POSIX only); a link the
//                          case makes must still be there after the run, the same
//   hard-link: a.tmp b.cc  a second name for the file b.cc (POSIX only)
//   owner: config/a.tmp 65534  makes another user the file's owner (POSIX
//                          only); a case with one is skipped when not run as root
//   mode: config/a.cc 0444 sets a file's permission bits (POSIX only); every file
//                          the case wrote must keep its mode
//   fail: lstat a.cc EIO   runs a dynamically linked copy of the program with
//                          every lstat (or stat) of a path named a.cc failing
//                          with EIO, EACCES, ENOENT, ENOTDIR or ELOOP
//                          (faults/fail_calls.cpp; POSIX only)
//   old: config/x.tmp      sets the last change of a file the case writes two
//                          hours back
//   file: config/prog.sc   a text file: the lines up to "end", each followed by LF
//   crlf-file: config/p.sc the same, each line followed by CR LF
//     Inside file blocks, ">>repeat N" ... ">>end" writes the lines between them
//     N times, with "{i}" replaced by the repetition's number, from 1 to N;
//     a last line ">>no-eol" leaves the line end off the line before it.
//   hex-file: config/p.sc  exact bytes, up to "end" (see byte blocks below)
//   stdout:                the whole expected standard output: the lines up to
//                          "end", each followed by a line end (trailing blanks
//                          count); a line "${PAUSE}" stands for what the pause
//                          prints, with its own line end if it has one
//   stderr:                the whole expected standard error, lines up to "end"
//                          as for stdout; empty when the block is left out
//   exit: 1                expected exit status
//   expect: config/p.cc    the file must exist and hold exactly these bytes, up
//                          to "end"
//   unchanged: config/old  the file, written by the case, must keep its bytes
//   absent: config/x.cc    nothing may exist at this path (a file the case
//                          wrote, too: the run must remove it)
//
// Byte blocks ("hex-file:", "expect:") hold two-digit hex bytes separated by
// blanks, "quoted text" for its bytes (\" and \\ escaped), "??" for a byte that
// may hold any value (expect only), and '#' comments up to the end of the line.
//
// Before a case is read, ${DIR} (the temporary folder's absolute path, in the
// host's own form), ${SEP} (the folder separator the program uses: '/', or
// '\' on Windows) and ${PID} (the runner's process number, which runs
// throughout the case, as 8 lower-case hexadecimal digits) and ${DEAD} (in the
// same form, a process that has ended, whose number no other process has
// been given since) are replaced in every line. Paths not starting with '/' are
// relative to ${DIR}. A content line that reads exactly "end" cannot be written
// in a text block; use a hex block for it.
//
// Standard output and standard error on Windows are text streams: each
// expected line ends with CR LF there. The pause is the program's own prompt line on POSIX and the
// command interpreter's "pause" on Windows, whose output the runner takes from
// running that command once with the same empty input.
#include <gtest/gtest.h>

#ifdef _WIN32
#include "windowsApi.h"
#else
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "roundTrip.h"
#include "testSupport.h"

namespace fs = std::filesystem;

namespace {

constexpr int anyByte = -1;

#ifdef _WIN32
constexpr bool onWindows = true;
constexpr char separator = '\\';
const char* const programFile = "tarvelkin.exe";
unsigned long runnerProcess() { return GetCurrentProcessId(); }
// A process that has ended: the command interpreter, run once. Its handle
// stays open, so that Windows gives its number to no other process.
unsigned long endedProcess() {
    static const unsigned long ended = [] {
        char shell[MAX_PATH] = {};
        const DWORD n = GetEnvironmentVariableA("ComSpec", shell, MAX_PATH);
        std::string line = "cmd /c exit";
        STARTUPINFOA startup{};
        startup.cb = static_cast<DWORD>(sizeof startup);
        PROCESS_INFORMATION process{};
        if (n == 0 || n >= MAX_PATH ||
            !CreateProcessA(shell, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                            &startup, &process))
            return 0UL;
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        return static_cast<unsigned long>(process.dwProcessId);
    }();
    return ended;
}
#else
constexpr bool onWindows = false;
constexpr char separator = '/';
const char* const programFile = "tarvelkin";
unsigned long runnerProcess() { return static_cast<unsigned long>(::getpid()); }
// A process that has ended: a child that exits at once, reaped. Its number
// comes back only once the system's numbers have gone round.
unsigned long endedProcess() {
    static const unsigned long ended = [] {
        const pid_t child = ::fork();
        if (child == 0) ::_exit(0);
        if (child < 0) return 0UL;
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
        return static_cast<unsigned long>(child);
    }();
    return ended;
}
#endif

struct caseFile {
    std::string path;
    std::string bytes;
};

struct expectedFile {
    std::string path;
    std::vector<int> bytes;  // 0..255, or anyByte
};

struct e2eCase {
    bool runsHere = true;  // false when the case is for the other platform
    std::vector<std::string> args;
    std::string cwd;
    std::string program = "./tarvelkin";
    std::string searchPath;  // none
    long fileSizeLimit = -1;  // none
    std::string fail;         // "CALL NAME ERROR", or none
    std::vector<std::pair<std::string, std::string>> links;  // path, where it points
    std::vector<std::pair<std::string, unsigned>> modes;
    std::vector<std::pair<std::string, std::string>> hardLinks;  // new name, existing file
    std::vector<std::pair<std::string, unsigned>> owners;
    std::vector<std::string> dirs;
    std::vector<caseFile> files;
    std::vector<std::string> old;  // files whose last change is set back
    bool stdoutGiven = false;
    std::string expectedStdout;
    std::string expectedStderr;  // empty unless a "stderr:" block says otherwise
    int expectedExit = -1;
    std::vector<expectedFile> expects;
    std::vector<std::string> unchanged;
    std::vector<std::string> absent;
};

// Thrown for a malformed case file; reported as a test failure.
struct caseFormatError {
    std::string message;
};

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}


int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes the lines of a byte block.
std::vector<int> decodeBytes(const std::vector<std::string>& lines, bool allowAny, int firstLine) {
    std::vector<int> out;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const auto fail = [&](const std::string& what) {
            throw caseFormatError{"line " + std::to_string(firstLine + n) + ": " + what};
        };
        std::size_t i = 0;
        while (i < line.size()) {
            const char c = line[i];
            if (c == ' ' || c == '\t') {
                ++i;
            } else if (c == '#') {
                break;
            } else if (c == '"') {
                ++i;
                for (;;) {
                    if (i >= line.size()) fail("unterminated quoted text");
                    char q = line[i++];
                    if (q == '"') break;
                    if (q == '\\') {
                        if (i >= line.size()) fail("unterminated quoted text");
                        q = line[i++];
                        if (q != '"' && q != '\\') fail("only \\\" and \\\\ are escapes");
                    }
                    out.push_back(static_cast<unsigned char>(q));
                }
            } else {
                std::size_t end = line.find_first_of(" \t#\"", i);
                if (end == std::string::npos) end = line.size();
                const std::string token = line.substr(i, end - i);
                i = end;
                if (token == "??") {
                    if (!allowAny) fail("\"??\" is only allowed in expected bytes");
                    out.push_back(anyByte);
                    continue;
                }
                if (token.size() % 2 != 0) fail("odd number of hex digits in '" + token + "'");
                for (std::size_t k = 0; k < token.size(); k += 2) {
                    const int hi = hexDigit(token[k]), lo = hexDigit(token[k + 1]);
                    if (hi < 0 || lo < 0) fail("bad hex byte in '" + token + "'");
                    out.push_back(hi * 16 + lo);
                }
            }
        }
    }
    return out;
}

// Expands the ">>repeat N" blocks of a text file block.
std::vector<std::string> expandRepeats(const std::vector<std::string>& lines, int firstLine) {
    std::vector<std::string> out;
    std::size_t bad = 0;
    if (!testSupport::expandRepeats(lines, out, bad))
        throw caseFormatError{"line " + std::to_string(firstLine + bad) + ": bad >>repeat block"};
    return out;
}

// pause gives what the pause prints; it is asked only when a case uses it.
e2eCase parseCase(const fs::path& file, const std::string& dir,
                  const std::function<std::string()>& pause) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw caseFormatError{"cannot read " + file.string()};
    char processText[16];
    std::snprintf(processText, sizeof processText, "%08lx", runnerProcess() & 0xFFFFFFFFUL);
    char endedText[16];
    std::snprintf(endedText, sizeof endedText, "%08lx", endedProcess() & 0xFFFFFFFFUL);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();  // a checkout with CR LF
        testSupport::replaceAll(line, "${DIR}", dir);
        testSupport::replaceAll(line, "${SEP}", std::string(1, separator));
        testSupport::replaceAll(line, "${PID}", processText);
        testSupport::replaceAll(line, "${DEAD}", endedText);
        lines.push_back(line);
    }

    e2eCase c;
    std::string pauseText;
    std::size_t n = 0;
    // Reads the lines of a block up to its "end" line.
    const auto block = [&](std::size_t& at) {
        std::vector<std::string> body;
        for (++at; at < lines.size(); ++at) {
            if (lines[at] == "end") return body;
            body.push_back(lines[at]);
        }
        throw caseFormatError{"block without \"end\""};
    };
    for (; n < lines.size(); ++n) {
        const std::string line = trim(lines[n]);
        if (line.empty() || line[0] == '#') continue;
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            throw caseFormatError{"line " + std::to_string(n + 1) + ": expected 'directive: value'"};
        const std::string key = line.substr(0, colon);
        const std::string value = trim(line.substr(colon + 1));
        const int firstLine = static_cast<int>(n) + 2;
        if (key == "platform") {
            if (value != "posix" && value != "windows")
                throw caseFormatError{"line " + std::to_string(n + 1) +
                                      ": platform is posix or windows"};
            c.runsHere = (value == "windows") == onWindows;
        } else if (key == "args") {
            std::istringstream words(value);
            for (std::string w; words >> w;) c.args.push_back(w);
        } else if (key == "cwd") {
            c.cwd = value;
        } else if (key == "program") {
            c.program = value;
        } else if (key == "search-path") {
            c.searchPath = value;
        } else if (key == "file-size-limit") {
            c.fileSizeLimit = std::atol(value.c_str());
        } else if (key == "fail") {
            c.fail = value;
        } else if (key == "link" || key == "mode" || key == "hard-link" || key == "owner") {
            const std::size_t blank = value.find(' ');
            if (blank == std::string::npos)
                throw caseFormatError{"line " + std::to_string(n + 1) + ": " + key + " takes a path and a value"};
            const std::string second = trim(value.substr(blank + 1));
            const std::string first = value.substr(0, blank);
            if (key == "link")
                c.links.emplace_back(first, second);
            else if (key == "hard-link")
                c.hardLinks.emplace_back(first, second);
            else if (key == "owner")
                c.owners.emplace_back(first, static_cast<unsigned>(std::stoul(second)));
            else
                c.modes.emplace_back(first, static_cast<unsigned>(std::stoul(second, nullptr, 8)));
        } else if (key == "dir") {
            c.dirs.push_back(value);
        } else if (key == "old") {
            c.old.push_back(value);
        } else if (key == "file" || key == "crlf-file") {
            const std::string eol = key == "file" ? "\n" : "\r\n";
            std::vector<std::string> body = block(n);
            const bool noEol = !body.empty() && body.back() == ">>no-eol";
            if (noEol) body.pop_back();
            std::string bytes;
            for (const std::string& l : expandRepeats(body, firstLine)) bytes += l + eol;
            if (noEol && !bytes.empty()) bytes.resize(bytes.size() - eol.size());
            c.files.push_back({value, bytes});
        } else if (key == "hex-file") {
            std::string bytes;
            for (int b : decodeBytes(block(n), false, firstLine)) bytes += static_cast<char>(b);
            c.files.push_back({value, bytes});
        } else if (key == "stdout") {
            c.stdoutGiven = true;
            for (const std::string& l : block(n)) {
                if (l != "${PAUSE}") {
                    c.expectedStdout += l + (onWindows ? "\r\n" : "\n");
                    continue;
                }
                if (pauseText.empty()) pauseText = pause();
                c.expectedStdout += pauseText;
            }
        } else if (key == "stderr") {
            for (const std::string& l : block(n)) c.expectedStderr += l + (onWindows ? "\r\n" : "\n");
        } else if (key == "exit") {
            c.expectedExit = std::atoi(value.c_str());
        } else if (key == "expect") {
            c.expects.push_back({value, decodeBytes(block(n), true, firstLine)});
        } else if (key == "unchanged") {
            c.unchanged.push_back(value);
        } else if (key == "absent") {
            c.absent.push_back(value);
        } else {
            throw caseFormatError{"line " + std::to_string(n + 1) + ": unknown directive '" + key + "'"};
        }
    }
    if (!c.stdoutGiven) throw caseFormatError{"no stdout: block"};
    if (c.expectedExit < 0) throw caseFormatError{"no exit: line"};
    return c;
}


// Every entry below root, as relative paths, folders marked with a trailing '/'.
std::set<std::string> listTree(const fs::path& root) {
    std::set<std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        std::string rel = fs::relative(e.path(), root).generic_string();
        if (e.is_directory()) rel += '/';
        entries.insert(rel);
    }
    return entries;
}

// A case path relative to the run folder, whether given relative or absolute.
std::string relativeToDir(const std::string& path, const fs::path& dir) {
    fs::path p(path);
    if (p.is_absolute()) p = p.lexically_relative(dir);
    return p.lexically_normal().generic_string();
}

std::string hexDump(const std::vector<int>& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % 16 == 0) {
            if (i != 0) out += '\n';
            out += std::to_string(i);
            out += ':';
        }
        out += ' ';
        if (bytes[i] == anyByte) {
            out += "??";
        } else {
            out += digits[bytes[i] >> 4];
            out += digits[bytes[i] & 15];
        }
    }
    return out;
}

struct runResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// argv[0] of a case's run: the program as the case calls it, in the host's form.
std::string programArgument(const e2eCase& c) {
    std::string name = c.program;
    if (onWindows) std::replace(name.begin(), name.end(), '/', separator);
    return name;
}

// The file a run starts: the program name relative to the cwd or, for a bare
// name the cwd does not hold, in the case's search-path folder, the way a shell
// finds a command through PATH. On Windows the file has ".exe".
fs::path programToRun(const e2eCase& c, const fs::path& dir, const fs::path& cwd) {
    fs::path name = programArgument(c);
    if (onWindows && !name.has_extension()) name += ".exe";
    const fs::path inCwd = cwd / name;
    if (c.searchPath.empty() || name.has_parent_path() || fs::exists(inCwd)) return inCwd;
    return dir / c.searchPath / name;
}

#ifdef _WIN32

// One argument of a command line, quoted the way the C runtime splits it again.
std::string quoteArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char ch : arg) {
        if (ch == '\\') {
            ++backslashes;
            continue;
        }
        out.append(ch == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += ch;
    }
    out.append(2 * backslashes, '\\');
    return out + '"';
}

// Runs application with the command line in cwd, standard input from NUL and
// standard output and error into files. The exit code, or -1 when the program
// could not be started.
int startProcess(const fs::path& application, std::string commandLine, const fs::path& cwd,
                 const fs::path& outPath, const fs::path& errPath) {
    SECURITY_ATTRIBUTES inheritable{static_cast<DWORD>(sizeof(SECURITY_ATTRIBUTES)), nullptr, TRUE};
    const auto open = [&](const fs::path& p, DWORD access, DWORD disposition) {
        return CreateFileW(p.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                           disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    const HANDLE handles[3] = {open("NUL", GENERIC_READ, OPEN_EXISTING),
                               open(outPath, GENERIC_WRITE, CREATE_ALWAYS),
                               open(errPath, GENERIC_WRITE, CREATE_ALWAYS)};
    int code = -1;
    DWORD error = 0;
    if (std::none_of(std::begin(handles), std::end(handles),
                     [](HANDLE h) { return h == INVALID_HANDLE_VALUE; })) {
        STARTUPINFOA startup{};
        startup.cb = static_cast<DWORD>(sizeof startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = handles[0];
        startup.hStdOutput = handles[1];
        startup.hStdError = handles[2];
        PROCESS_INFORMATION process{};
        if (CreateProcessA(application.string().c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                           CREATE_NO_WINDOW, nullptr, cwd.string().c_str(), &startup, &process)) {
            WaitForSingleObject(process.hProcess, INFINITE);
            DWORD exitCode = 0;
            if (GetExitCodeProcess(process.hProcess, &exitCode)) code = static_cast<int>(exitCode);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        } else {
            error = GetLastError();
        }
    }
    for (const HANDLE h : handles)
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    SetLastError(error);  // why the program could not be started
    return code;
}

// Runs the program in cwd; stdout and stderr go to files outside the run folder.
runResult runProgram(const e2eCase& c, const fs::path& file, const fs::path& cwd,
                     const fs::path& scratch) {
    if (c.fileSizeLimit >= 0 || !c.fail.empty())
        ADD_FAILURE() << "file-size-limit and fail need \"platform: posix\"";
    std::string commandLine = quoteArgument(programArgument(c));
    for (const std::string& arg : c.args) commandLine += ' ' + quoteArgument(arg);
    runResult r;
    r.exitStatus = startProcess(file, commandLine, cwd, scratch / "stdout", scratch / "stderr");
    if (r.exitStatus < 0) ADD_FAILURE() << "cannot start " << file << ": error " << GetLastError();
    r.out = testSupport::fileBytes(scratch / "stdout");
    r.err = testSupport::fileBytes(scratch / "stderr");
    return r;
}

// What the pause prints: the command interpreter's "pause", run the way the
// program runs it, with nothing to read.
std::string pauseOutput(const fs::path& scratch) {
    std::string shell(MAX_PATH, '\0');
    const DWORD n = GetEnvironmentVariableA("ComSpec", shell.data(), MAX_PATH);
    shell = n > 0 && n < MAX_PATH ? shell.substr(0, n) : "C:\\Windows\\System32\\cmd.exe";
    const fs::path out = scratch / "pause-stdout";
    if (startProcess(shell, "cmd /c pause", scratch, out, scratch / "pause-stderr") != 0)
        ADD_FAILURE() << "cannot run the command interpreter's pause";
    return testSupport::fileBytes(out);
}

#else

// Runs the program in cwd with stdin from /dev/null; stdout and stderr go to
// files outside the run folder.
runResult runProgram(const e2eCase& c, const fs::path& file, const fs::path& cwd,
                     const fs::path& scratch) {
    const std::string outPath = (scratch / "stdout").string();
    const std::string errPath = (scratch / "stderr").string();
    const std::string cwdPath = cwd.string();
    const std::string filePath = file.string();
    std::vector<char*> argv;
    std::vector<std::string> storage{programArgument(c)};
    storage.insert(storage.end(), c.args.begin(), c.args.end());
    for (std::string& s : storage) argv.push_back(s.data());
    argv.push_back(nullptr);
    // A case that makes calls fail runs with the library that fails them.
    std::vector<std::string> environment;
    for (char** e = environ; *e != nullptr; ++e) environment.emplace_back(*e);
    if (!c.fail.empty()) {
        environment.push_back(std::string("LD_PRELOAD=") + FAIL_CALLS_LIBRARY);
        environment.push_back("TARVELKIN_FAIL=" + c.fail);
    }
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);

    runResult r;
    const pid_t pid = ::fork();
    if (pid < 0) {
        ADD_FAILURE() << "fork failed";
        return r;
    }
    if (pid == 0) {
        // Only plain system calls from here on.
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
            ::dup2(err, 2) < 0 || ::chdir(cwdPath.c_str()) != 0)
            ::_exit(125);
        if (c.fileSizeLimit >= 0) {
            const auto size = static_cast<rlim_t>(c.fileSizeLimit);
            const rlimit limit{size, size};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(125);
        }
        ::execve(filePath.c_str(), argv.data(), envp.data());
        ::_exit(126);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            ADD_FAILURE() << "waitpid failed";
            return r;
        }
    }
    if (WIFEXITED(status))
        r.exitStatus = WEXITSTATUS(status);
    else
        ADD_FAILURE() << "the program did not exit normally (status " << status << ")";
    r.out = testSupport::fileBytes(outPath);
    r.err = testSupport::fileBytes(errPath);
    return r;
}

// The program's own pause prompt.
std::string pauseOutput(const fs::path&) { return "Press Enter to continue . . .\n"; }

#endif

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(TARVELKIN_E2E_CASES))
        if (e.path().extension() == ".case") names.push_back(e.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A config the program wrote, read back by the independent reader, must hold
// the items of the case's script, compiled again here. When the case writes
// several scripts, one of them must be the config's. (Its script, made by
// cnfScript, must also compile to the same bytes: scriptRoundTripDifference.)
void checkRoundTrip(const e2eCase& c, const std::string& config, const std::string& name) {
    std::string differences;
    for (const caseFile& f : c.files) {
        if (fs::path(f.path).extension() != ".sc") continue;
        cnfBuilder b;
        if (!compileText(f.bytes, f.path, b).ok()) continue;
        const std::string why = roundTripDifference(b, config);
        if (why.empty()) return;
        differences += "\n  " + f.path + ": " + why;
    }
    ADD_FAILURE() << name << " read back does not hold the items of any script of the case"
                  << differences;
}

class e2e : public ::testing::TestWithParam<std::string> {};

TEST_P(e2e, run) {
    const testSupport::scratchFolder scratch("tarvelkin-e2e");
    const fs::path dir = scratch.path() / "run";
    fs::create_directories(dir / "config");

    e2eCase c;
    try {
        c = parseCase(fs::path(TARVELKIN_E2E_CASES) / (GetParam() + ".case"), dir.string(),
                      [&] { return pauseOutput(scratch.path()); });
    } catch (const caseFormatError& e) {
        FAIL() << GetParam() << ".case: " << e.message;
    }
    if (!c.runsHere) GTEST_SKIP() << "a case for the other platform";

    // Built for Windows and run under Wine, the program's path from the build
    // is a Unix path; it names the same file on the current drive (Z:).
    const fs::path program = dir / programFile;
#ifdef _WIN32
    ASSERT_TRUE(c.links.empty() && c.modes.empty() && c.hardLinks.empty() && c.owners.empty())
        << "link, hard-link, mode and owner need \"platform: posix\"";
    fs::copy_file(fs::absolute(TARVELKIN_PROGRAM), program);
#else
    // A case that makes calls fail needs the program linked dynamically.
    fs::copy_file(c.fail.empty() ? TARVELKIN_PROGRAM : TARVELKIN_DYNAMIC_PROGRAM, program);
#endif
    fs::permissions(program, fs::perms::owner_all);
    for (const std::string& d : c.dirs) fs::create_directories(dir / d);
    for (const caseFile& f : c.files) ASSERT_NO_FATAL_FAILURE(testSupport::writeFile(dir / f.path, f.bytes));
    for (const std::string& o : c.old)
        fs::last_write_time(dir / o, fs::file_time_type::clock::now() - std::chrono::hours(2));
    for (const auto& [path, target] : c.links) fs::create_symlink(target, dir / path);
    for (const auto& [path, mode] : c.modes) fs::permissions(dir / path, static_cast<fs::perms>(mode));
#ifndef _WIN32
    for (const auto& [path, existing] : c.hardLinks) fs::create_hard_link(dir / existing, dir / path);
    if (!c.owners.empty() && ::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
    for (const auto& [path, user] : c.owners)
        ASSERT_EQ(::lchown((dir / path).c_str(), user, static_cast<gid_t>(-1)), 0) << "chown " << path;
#endif
    const fs::path cwd = c.cwd.empty() ? dir : dir / c.cwd;
    fs::create_directories(cwd);

    for (const std::string& u : c.unchanged)
        ASSERT_TRUE(fs::is_regular_file(dir / u)) << "unchanged: " << u << " is not written by the case";
    const std::set<std::string> treeBefore = listTree(dir);
    std::map<std::string, std::string> before;
    std::map<std::string, fs::perms> modesBefore;
    for (const std::string& entry : treeBefore) {
        if (entry.back() == '/' || entry == programFile || fs::is_symlink(dir / entry)) continue;
        before[entry] = testSupport::fileBytes(dir / entry);
        modesBefore[entry] = fs::status(dir / entry).permissions();
    }

    const runResult r = runProgram(c, programToRun(c, dir, cwd), cwd, scratch.path());

    EXPECT_EQ(c.expectedStdout, r.out) << "standard output";
    EXPECT_EQ(c.expectedExit, r.exitStatus) << "exit status";
    EXPECT_EQ(c.expectedStderr, r.err) << "standard error";

    std::set<std::string> allowed = treeBefore;
    std::set<std::string> expected;
    for (const expectedFile& e : c.expects) {
        const fs::path rel = relativeToDir(e.path, dir);
        expected.insert(rel.generic_string());
        allowed.insert(rel.generic_string());
        for (fs::path p = rel.parent_path(); !p.empty(); p = p.parent_path())
            allowed.insert(p.generic_string() + "/");
        if (!fs::is_regular_file(dir / rel)) {
            ADD_FAILURE() << "expect: " << e.path << " was not written";
            continue;
        }
        const std::string bytes = testSupport::fileBytes(dir / rel);
        std::vector<int> actual;
        for (char b : bytes) actual.push_back(static_cast<unsigned char>(b));
        std::size_t at = 0;
        while (at < actual.size() && at < e.bytes.size() &&
               (e.bytes[at] == anyByte || e.bytes[at] == actual[at]))
            ++at;
        if (at == actual.size() && at == e.bytes.size()) {
            if (c.expectedExit == 0 && rel.extension() == ".cc") {
                checkRoundTrip(c, bytes, e.path);
                EXPECT_EQ(scriptRoundTripDifference(bytes), "") << e.path << " as a script";
            }
            continue;
        }
        ADD_FAILURE() << "expect: " << e.path << " differs at byte " << at << " ("
                      << e.bytes.size() << " bytes expected, " << actual.size() << " written)"
                      << "\nexpected:\n" << hexDump(e.bytes) << "\nactual:\n" << hexDump(actual);
    }
    // Every file the case wrote keeps its bytes unless an "expect:" names it;
    // "unchanged:" only says so explicitly.
    std::set<std::string> removed;
    for (const std::string& a : c.absent) removed.insert(relativeToDir(a, dir));
    for (const auto& [entry, bytes] : before) {
        if (expected.count(entry) || removed.count(entry)) continue;
        if (!fs::is_regular_file(dir / entry))
            ADD_FAILURE() << entry << " is gone";
        else if (bytes != testSupport::fileBytes(dir / entry))
            ADD_FAILURE() << entry << " was changed";
    }
    // A file keeps its mode, also one the run replaced; a link stays a link.
    for (const auto& [entry, mode] : modesBefore) {
        std::error_code ec;
        const fs::file_status now = fs::symlink_status(dir / entry, ec);
        if (fs::is_regular_file(now) && now.permissions() != mode)
            ADD_FAILURE() << entry << " changed its mode from " << std::oct << static_cast<unsigned>(mode) << " to "
                          << static_cast<unsigned>(now.permissions()) << std::dec;
    }
    for (const auto& [path, target] : c.links) {
        std::error_code ec;
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / path, ec)) && fs::read_symlink(dir / path, ec) == target)
            << path << " is no longer a link to " << target;
    }
    for (const std::string& a : c.absent) {
        std::error_code ec;
        EXPECT_FALSE(fs::exists(fs::symlink_status(dir / relativeToDir(a, dir), ec)))
            << "absent: " << a << " exists";
    }
    for (const std::string& entry : listTree(dir))
        EXPECT_TRUE(allowed.count(entry)) << "unexpected new entry: " << entry;
}

// Test names must be letters, digits and '_'.
std::string testName(const ::testing::TestParamInfo<std::string>& param) {
    std::string name = param.param;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(cases, e2e, ::testing::ValuesIn(caseNames()), testName);

}  // namespace
