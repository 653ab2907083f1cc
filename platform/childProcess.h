// Starting a program and stopping it with everything it started: what differs
// between Windows and POSIX for a runner, and nothing else.
//
// A program is always started from an argument vector, never through a shell:
// on POSIX the words are its argv as they are; on Windows they become one
// command line by the rules the C runtime's argument parser reads back into
// the same words (windowsCommandLine), passed to CreateProcessW in UTF-16.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// How a program ended.
struct processOutcome {
    // POSIX: ended by a signal, whose number is code. Windows: ended with a
    // crash status (0xC000xxxx: an access violation, a stack overflow...),
    // which code holds as its 32 bits.
    bool signalled = false;
    int code = 0;  // the exit status, the signal, or the crash status
};

// How a started program's standard input is given: the null device (it
// reads the end at once), or a pipe that writeInput feeds.
enum class childInput { closed, pipe };

// Whether a program waits for its standard input (a pipe) at one moment.
enum class inputWait { unknown, reading, notReading };

// A started program and the process tree it grows: on POSIX a session (and so
// a process group) of its own, with no controlling terminal, so that a
// prompt that opens /dev/tty fails at once instead of reaching the terminal
// ccview runs in; on Windows a Job Object that every process it starts joins
// and that cannot be left. Standard input is the null device or a pipe;
// standard output and standard error are two pipes, read with read(). The
// calls read(), writeInput(), wait() and the stopping calls may come from
// different threads; writeInput and closeInput from one thread at a time.
class childProcess {
public:
    // Starts argv[0] with the arguments argv[1..] in the folder cwd (empty:
    // this process's folder). A name without a folder separator is looked up
    // in PATH. Returns null when the program cannot be started, with why saying
    // so in words, naming the program or the folder: "not found: ...", "not
    // executable: ...", "working folder not found: DIR", or the system's
    // reason. On Windows a batch file is refused, however it is named (the
    // command interpreter would read its arguments by its own rules), and so
    // is any file that does not begin with "MZ" as every Windows program
    // does. The program inherits no handle or descriptor of this process but
    // its three standard streams.
    static std::unique_ptr<childProcess> start(const std::vector<std::string>& argv,
                                               const std::string& cwd, std::string& why,
                                               childInput input = childInput::closed);

    // Makes every process a started program's tree leaves behind part of
    // what ends with it, also one that left its process group (a new
    // session, a daemon), and makes the tree end with this process however
    // this process ends (a kill -9, a crash). On Linux each program started
    // from now on runs under a keeper: this program again, started with
    // keeperOption, between this process and the program, the reaper of all
    // the program starts (a child subreaper); it ends the whole tree when
    // the program ends, when asked, and when its link to this process
    // closes. A program that calls this must hand a start whose first
    // argument is keeperOption to keeperMain before anything else. True on
    // Windows, where a Job Object that closes with this process holds the
    // whole tree anyway; false where the system has no such means (then a
    // process that left the group is not ended, nor the tree when this
    // process is killed).
    static bool holdWholeTree();
    static constexpr const char* keeperOption = "--run-keeper";
    // A keeper's whole life (keeperPosix.cpp): argv[1] is keeperOption,
    // argv[2..] the program and its arguments; its exit status.
    static int keeperMain(int argc, char** argv);

    // Ends the tree if it still runs and closes every handle.
    ~childProcess();
    childProcess(const childProcess&) = delete;
    childProcess& operator=(const childProcess&) = delete;

    enum class stream { out, err };
    // Reads what the tree wrote to one stream: blocks until some bytes come
    // and returns their number, or 0 at the end of the stream (every writer
    // closed it, or abandonOutput was called).
    std::size_t read(stream which, char* buffer, std::size_t size);

    // Makes every read() return 0 from now on: for output still held open by
    // a process that left the tree (POSIX: a new session), which is then no
    // longer read.
    void abandonOutput();

    // Writes bytes to the program's standard input (started with
    // childInput::pipe): blocks until all are taken. False when they cannot
    // be: no reader is left, the input was closed, or abandonInput was
    // called.
    bool writeInput(const char* data, std::size_t size);
    // Closes standard input: the program reads its end once it has read what
    // came before.
    void closeInput();
    // Makes a writeInput that blocks, and every one after, return false: for
    // a program that ended while a process it left holds its input open
    // without reading it.
    void abandonInput();

    // Whether a process of the program's session (POSIX) waits in a read of
    // its standard input pipe now: blocked in read() on it, or in poll(),
    // select() or epoll_wait() for it. Linux reads this from /proc (each
    // thread's system call and its arguments); elsewhere, and for a
    // program whose input is closed, it is unknown.
    inputWait waitingForInput() const;

    // Blocks until the program itself ends, then ends whatever it left
    // running in its tree, and says how the program ended. Called once.
    // When that cannot be learned (a keeper killed or cut off, a program
    // reaped elsewhere), it counts as killed by SIGKILL, never as a success.
    processOutcome wait();

    // Asks the whole tree to end: SIGTERM to the process group on POSIX,
    // Ctrl+Break to its console process group on Windows. Does nothing once
    // wait() has returned.
    void askToEnd();
    // Ends the whole tree at once: SIGKILL to the group, or the Job Object
    // terminated. Does nothing once wait() has returned.
    void endNow();

    // The program's process id.
    long id() const;

    struct state;

private:
    explicit childProcess(std::unique_ptr<state> s);
    std::unique_ptr<state> s_;
};

// The command line that the C runtime's argument parser (CommandLineToArgvW,
// a program's main) reads back into exactly these words: argv[0] in double
// quotes when it holds a blank or is empty (a program path never holds a
// double quote); every other word as it stands unless it is empty or holds a
// blank, a tab, a line end or a double quote, else in double quotes with each
// " written \" and the backslashes before a " or the closing quote doubled.
// Words are UTF-8 here, as on the whole server side.
std::string windowsCommandLine(const std::vector<std::string>& argv);

// Where the program a bare name or a path names is, as start() would find
// it: a path as it stands, a bare name looked up in PATH (on Windows first
// beside besideFolder, then as the system looks programs up, ".exe" added
// when the name has no extension). Its full path in UTF-8 when it is a file
// this user may run, else "".
std::string programPath(const std::string& name, const std::string& besideFolder);

// The line end a program of this system expects after a line of input:
// "\n" on POSIX, "\r\n" on Windows.
const char* inputLineEnd();

// How a signal is named to a person: "SIGTERM", "SIGKILL", or "signal N".
// On Windows a crash status, in hexadecimal and named when it is a common
// one: "access violation (0xC0000005)", "status 0xC0000420".
std::string signalName(int signal);

// Opens target (an address, or a file's path) in the person's browser
// (xdg-open, open, or the shell's default handler on Windows) without
// waiting for it. The opener and the browser it may start are no children
// of this process, and on POSIX they run in a session of their own, so that
// neither Ctrl+C in the terminal nor anything that ends a program's tree
// reaches them. Every user of the computer can read the opener's command
// line: target must hold no secret. False when the opener cannot start.
bool openInBrowser(const std::string& target);
