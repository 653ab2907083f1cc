#include "platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <limits>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

pathStyle hostPathStyle() {
#ifdef _WIN32
    return pathStyle::windows;
#else
    return pathStyle::posix;
#endif
}

char folderSeparator(pathStyle style) { return style == pathStyle::windows ? '\\' : '/'; }

bool isUnchangedPath(pathStyle style, std::string_view path) {
    if (style == pathStyle::windows) return path.find(':') != std::string_view::npos;
    return !path.empty() && path.front() == '/';
}

bool isFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(fs::path(path), ec);
}

namespace {

// Follows symbolic links from path to the file they finally name (which may
// not exist yet). Gives up after a bounded number of steps, as the system does.
std::string resolveLinks(const std::string& path) {
    fs::path p(path);
    for (int step = 0; step < 40; ++step) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec))) break;
        fs::path target = fs::read_symlink(p, ec);
        if (ec) break;
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
    return p.string();
}

std::string folderOf(const std::string& path) {
    fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

}  // namespace

#ifdef _WIN32

std::string fullPathOf(const std::string& name) {
    std::string full(MAX_PATH, '\0');
    for (;;) {
        const DWORD n =
            GetFullPathNameA(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return std::string();
        if (n < full.size()) return full.substr(0, n);
        full.resize(n);  // n counts the terminating zero when the buffer is too small
    }
}

void pauseConsole() {
    std::cout.flush();
    std::system("pause");
}

// A drive without a medium fails like a missing file instead of asking the user
// in a message box.
void prepareProcess() { SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX); }

void binaryStandardOutput() {
    std::cout.flush();
    _setmode(_fileno(stdout), _O_BINARY);
}

namespace {

// Creates a new file beside the target that no other file can be mistaken for.
HANDLE createTemp(const std::string& folder, const std::string& base, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder;
        tempPath += '\\';
        tempPath += base;
        tempPath += ".tmp";
        tempPath += std::to_string(GetCurrentProcessId());
        tempPath += '-';
        tempPath += std::to_string(attempt);
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
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

}  // namespace

bool replaceFile(const std::string& path, std::string_view bytes) {
    const std::string target = resolveLinks(path);
    const DWORD existing = GetFileAttributesA(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES &&
        (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
        return false;

    std::string tempPath;
    const std::string base = fs::path(target).filename().string();
    const HANDLE file = createTemp(folderOf(target), base, tempPath);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = writeAll(file, bytes);
    ok = CloseHandle(file) != 0 && ok;
    // The renamed file brings its own attributes: a replaced config keeps the
    // ones that say how to show or index it, and is marked changed (archive)
    // like any new file.
    constexpr DWORD kept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (ok && existing != INVALID_FILE_ATTRIBUTES && (existing & kept) != 0)
        ok = SetFileAttributesA(tempPath.c_str(), (existing & kept) | FILE_ATTRIBUTE_ARCHIVE) != 0;
    // A plain rename refuses an existing target.
    ok = ok && MoveFileExA(tempPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (!ok) DeleteFileA(tempPath.c_str());
    return ok;
}

#else

std::string fullPathOf(const std::string& name) {
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    if (ec) return std::string();
    std::string full = cwd.string();
    if (full.empty() || full.back() != '/') full += '/';
    return full + name;
}

void prepareProcess() { std::signal(SIGXFSZ, SIG_IGN); }

void binaryStandardOutput() {}

void pauseConsole() {
    std::cout << "Press Enter to continue . . ." << std::endl;
    std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

namespace {

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Creates a new file beside the target that no other file can be mistaken for.
int createTemp(const std::string& folder, const std::string& base, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder;
        tempPath += "/.";
        tempPath += base;
        tempPath += ".tmp";
        tempPath += std::to_string(::getpid());
        tempPath += '-';
        tempPath += std::to_string(attempt);
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

bool replaceFile(const std::string& path, std::string_view bytes) {
    const std::string target = resolveLinks(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target.c_str(), W_OK) != 0)) return false;

    std::string tempPath;
    const std::string base = fs::path(target).filename().string();
    int fd = createTemp(folderOf(target), base, tempPath);
    if (fd < 0) return false;
    // The temporary file was created with the mode of any new file; a replaced
    // config keeps the mode it had.
    bool ok = !exists || ::fchmod(fd, existing.st_mode & 07777) == 0;
    ok = ok && writeAll(fd, bytes);
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(tempPath.c_str());
    return ok;
}

#endif
