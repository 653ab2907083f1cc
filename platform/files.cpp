#include "files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include "windowsApi.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

std::string temporaryPathBeside(pathStyle style, std::string_view target, unsigned long process,
                                unsigned attempt) {
    std::size_t folderEnd = 0;
    const std::size_t separator =
        target.find_last_of(style == pathStyle::windows ? std::string_view("/\\") : "/");
    if (separator != std::string_view::npos)
        folderEnd = separator + 1;
    else if (style == pathStyle::windows && target.size() >= 2 && target[1] == ':')
        folderEnd = 2;  // "Z:out.cc" lies in the current folder of drive Z
    char name[32];
    std::snprintf(name, sizeof name, ".tarvelkin-%08lx-%02x.tmp", process & 0xFFFFFFFFUL,
                  attempt & 0xFFu);
    return std::string(target.substr(0, folderEnd)) + name;
}

bool replaceFile(const std::string& path, std::string_view bytes) {
    std::error_code ignored;
    return replaceFile(path, bytes, ignored);
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

}  // namespace

bool replaceFile(const std::string& path, std::string_view bytes, std::error_code& why) {
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
    DWORD problem = writeAll(file, bytes) ? 0 : GetLastError();
    if (CloseHandle(file) == 0 && problem == 0) problem = GetLastError();
    // The renamed file brings its own attributes: a replaced config keeps the
    // ones that say how to show or index it, and is marked changed (archive)
    // like any new file.
    constexpr DWORD kept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (problem == 0 && existing != INVALID_FILE_ATTRIBUTES && (existing & kept) != 0 &&
        SetFileAttributesA(tempPath.c_str(), (existing & kept) | FILE_ATTRIBUTE_ARCHIVE) == 0)
        problem = GetLastError();
    // A plain rename refuses an existing target.
    if (problem == 0 && MoveFileExA(tempPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) == 0)
        problem = GetLastError();
    if (problem == 0) return true;
    DeleteFileA(tempPath.c_str());
    why = reasonOf(problem);
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

}  // namespace

bool replaceFile(const std::string& path, std::string_view bytes, std::error_code& why) {
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
    // The temporary file was created with the mode of any new file; a replaced
    // config keeps the mode it had.
    int problem = 0;
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) problem = lastError();
    if (problem == 0 && !writeAll(fd, bytes)) problem = lastError();
    if (::close(fd) != 0 && problem == 0) problem = lastError();
    if (problem == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) problem = lastError();
    if (problem == 0) return true;
    ::unlink(tempPath.c_str());
    return fail(problem);
}

#endif
