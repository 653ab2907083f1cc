#include "files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include "windowsApi.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <limits>
#endif

namespace fs = std::filesystem;

bool isFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(fs::path(path), ec);
}

namespace {

// Follows symbolic links from path to the file they finally name (which may
// not exist yet), through chains of any length that end somewhere. False for
// a loop (or a chain longer than the system itself follows), which names no
// file: replacing it would put a plain file where a link was.
bool resolveLinks(const std::string& path, std::string& target) {
    fs::path p(path);
    for (int step = 0; step <= 40; ++step) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec))) {
            target = p.string();
            return true;
        }
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) return false;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return false;
}

}  // namespace

namespace {

// The part of a target before its name: its folder with the separator, a
// Windows drive's "Z:", or nothing for the current folder.
std::string_view folderPart(pathStyle style, std::string_view target) {
    const std::size_t separator =
        target.find_last_of(style == pathStyle::windows ? std::string_view("/\\") : "/");
    if (separator != std::string_view::npos) return target.substr(0, separator + 1);
    if (style == pathStyle::windows && target.size() >= 2 && target[1] == ':')
        return target.substr(0, 2);  // "Z:out.cc" lies in the current folder of drive Z
    return {};
}

// Whether name is exactly as temporaryPathBeside names a temporary file,
// ".tarvelkin-PPPPPPPP-AA.tmp" with lower-case hexadecimal digits, and if so
// the process it names.
bool isOurTemporary(std::string_view name, unsigned long& process) {
    constexpr std::string_view shape = ".tarvelkin-########-##.tmp";
    if (name.size() != shape.size()) return false;
    process = 0;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const char c = name[i];
        if (shape[i] != '#') {
            if (c != shape[i]) return false;
            continue;
        }
        const bool digit = c >= '0' && c <= '9';
        if (!digit && !(c >= 'a' && c <= 'f')) return false;
        if (i < 19) process = process * 16 + static_cast<unsigned long>(digit ? c - '0' : c - 'a' + 10);
    }
    return true;
}

// How old a temporary file must be before it counts as left behind: a
// replacement takes a moment, so an hour is far beyond any that still runs.
constexpr long long staleAfterSeconds = 60LL * 60;

}  // namespace

std::string temporaryPathBeside(pathStyle style, std::string_view target, unsigned long process,
                                unsigned attempt) {
    char name[32];
    std::snprintf(name, sizeof name, ".tarvelkin-%08lx-%02x.tmp", process & 0xFFFFFFFFUL,
                  attempt & 0xFFu);
    return std::string(folderPart(style, target)) + name;
}

bool replaceFile(const std::string& path, std::string_view bytes) {
    std::error_code ignored;
    return replaceFile(path, bytes, ignored, flushFile);
}

#ifdef _WIN32

namespace {

// Creates a new file beside the target that no other file can be mistaken for.
HANDLE createTemp(const std::string& target, std::string& tempPath) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        tempPath = temporaryPathBeside(pathStyle::windows, target, GetCurrentProcessId(), attempt);
        const HANDLE file = CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool writeAll(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += written;
    }
    return true;
}

// A Windows error as the C library's error number where one fits, so that a
// reason reads as it does on POSIX; else the system's own message.
std::error_code reasonOf(DWORD code) {
    int number = 0;
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME: number = ENOENT; break;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: number = EACCES; break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: number = ENOSPC; break;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: number = EEXIST; break;
        case ERROR_DIRECTORY: number = ENOTDIR; break;
        default: return {static_cast<int>(code), std::system_category()};
    }
    return {number, std::generic_category()};
}

// Whether the process with this number still runs. One that cannot be asked
// (another user's) runs; only one the system does not know, or one that has
// ended, does not.
bool processRuns(unsigned long process) {
    const HANDLE handle =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, static_cast<DWORD>(process));
    if (handle == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
    CloseHandle(handle);
    return !ended;
}

// Removes the temporary files left in folder (a target's folderPart) by
// replacements whose process is gone, once they are over an hour old.
void removeStaleTemporaries(std::string_view folder) {
    const std::string prefix(folder);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((prefix + ".tarvelkin-*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {  // 100 ns since 1601
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    constexpr unsigned long long ticksPerSecond = 10000000;
    do {
        unsigned long process = 0;
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0 ||
            !isOurTemporary(found.cFileName, process))
            continue;
        const unsigned long long changed = ticks(found.ftLastWriteTime);
        if (changed > ticks(now) || ticks(now) - changed <= staleAfterSeconds * ticksPerSecond) continue;
        if (!processRuns(process)) DeleteFileA((prefix + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

std::error_code flushFile(nativeFile file) {
    if (FlushFileBuffers(reinterpret_cast<HANDLE>(file))) return {};
    return reasonOf(GetLastError());
}

bool replaceFile(const std::string& path, std::string_view bytes, std::error_code& why,
                 std::error_code (*flush)(nativeFile)) {
    std::string target;
    if (!resolveLinks(path, target)) {
        why.assign(ELOOP, std::generic_category());
        return false;
    }
    const DWORD existing = GetFileAttributesA(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        why.assign(EISDIR, std::generic_category());
        return false;
    }
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY) != 0) {
        why.assign(EACCES, std::generic_category());
        return false;
    }

    std::string tempPath;
    const HANDLE file = createTemp(target, tempPath);
    if (file == INVALID_HANDLE_VALUE) {
        why = reasonOf(GetLastError());
        return false;
    }
    // The first failure is the reason; the steps after it are skipped.
    const auto lastReason = [] { return reasonOf(GetLastError()); };
    std::error_code problem;
    if (!writeAll(file, bytes)) problem = lastReason();
    if (!problem) problem = flush(reinterpret_cast<nativeFile>(file));
    if (CloseHandle(file) == 0 && !problem) problem = lastReason();
    // The renamed file brings its own attributes: a replaced config keeps the
    // ones that say how to show or index it, and is marked changed (archive)
    // like any new file.
    constexpr DWORD kept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (!problem && existing != INVALID_FILE_ATTRIBUTES && (existing & kept) != 0 &&
        SetFileAttributesA(tempPath.c_str(), (existing & kept) | FILE_ATTRIBUTE_ARCHIVE) == 0)
        problem = lastReason();
    // A plain rename refuses an existing target.
    if (!problem && MoveFileExA(tempPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) == 0)
        problem = lastReason();
    if (!problem) {
        removeStaleTemporaries(folderPart(pathStyle::windows, target));
        return true;
    }
    DeleteFileA(tempPath.c_str());
    why = problem;
    return false;
}

#else

namespace {

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The error number of the call that just failed; never 0, which would read as success.
int lastError() { return errno != 0 ? errno : EIO; }

// Creates a new file beside the target that no other file can be mistaken for.
int createTemp(const std::string& target, std::string& tempPath) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        tempPath = temporaryPathBeside(pathStyle::posix, target,
                                       static_cast<unsigned long>(::getpid()), attempt);
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Whether the process with this number still runs. One that may not be
// signalled (another user's) runs; only one the system does not know does
// not. A number no process can have (0, or beyond pid_t) names none: kill
// would take it for a process group.
bool processRuns(unsigned long process) {
    if (process == 0 || process > static_cast<unsigned long>(std::numeric_limits<pid_t>::max())) return false;
    return ::kill(static_cast<pid_t>(process), 0) == 0 || errno != ESRCH;
}

// Removes the temporary files left in the open folder by replacements whose
// process is gone, once they are over an hour old; closes the folder.
void removeStaleTemporaries(int folder) {
    DIR* const entries = ::fdopendir(folder);
    if (entries == nullptr) {
        ::close(folder);
        return;
    }
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(entries)) {
        unsigned long process = 0;
        if (!isOurTemporary(entry->d_name, process)) continue;
        struct stat file {};
        if (::fstatat(folder, entry->d_name, &file, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(file.st_mode))
            continue;
        if (file.st_mtime > now || now - file.st_mtime <= staleAfterSeconds) continue;
        if (!processRuns(process)) ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(entries);
}

// After a rename in the folder of target: the folder's new entry reaches the
// disk, then the temporary files left there by killed writers go.
void settleFolder(const std::string& target) {
    const std::string_view part = folderPart(pathStyle::posix, target);
    const std::string folder = part.empty() ? std::string(".") : std::string(part);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // A failure here loses nothing: the old file or the new one is there whole.
    ::fsync(fd);
    removeStaleTemporaries(fd);
}

}  // namespace

std::error_code flushFile(nativeFile file) {
    if (::fsync(static_cast<int>(file)) == 0) return {};
    return {lastError(), std::generic_category()};
}

bool replaceFile(const std::string& path, std::string_view bytes, std::error_code& why,
                 std::error_code (*flush)(nativeFile)) {
    const auto fail = [&why](int number) {
        why.assign(number, std::generic_category());
        return false;
    };
    std::string target;
    if (!resolveLinks(path, target)) return fail(ELOOP);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return fail(EISDIR);
    if (exists && !S_ISREG(existing.st_mode)) return fail(EINVAL);
    if (exists && ::access(target.c_str(), W_OK) != 0) return fail(lastError());

    std::string tempPath;
    int fd = createTemp(target, tempPath);
    if (fd < 0) return fail(lastError());
    // The first failure is the reason; the steps after it are skipped. The
    // temporary file was created with the mode of any new file; a replaced
    // config keeps the mode it had.
    const auto lastReason = [] { return std::error_code(lastError(), std::generic_category()); };
    std::error_code problem;
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) problem = lastReason();
    if (!problem && !writeAll(fd, bytes)) problem = lastReason();
    if (!problem) problem = flush(fd);
    if (::close(fd) != 0 && !problem) problem = lastReason();
    if (!problem && ::rename(tempPath.c_str(), target.c_str()) != 0) problem = lastReason();
    if (!problem) {
        settleFolder(target);
        return true;
    }
    ::unlink(tempPath.c_str());
    why = problem;
    return false;
}

#endif
