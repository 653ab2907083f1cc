// Replacing a file whole on POSIX systems.
#include "files.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "filesShared.h"

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

// The highest process id the system gives out: Linux's pid_max, else a
// bound above every system's default (Linux's own limit for pid_max).
unsigned long highestProcess() {
    unsigned long highest = 4194304;
    if (std::FILE* file = std::fopen("/proc/sys/kernel/pid_max", "re")) {
        unsigned long read = 0;
        if (std::fscanf(file, "%lu", &read) == 1 && read > 0 && read < highest) highest = read;
        std::fclose(file);
    }
    return highest;
}

// Whether the process with this number still runs. One that may not be
// signalled (another user's) runs; only one the system does not know does
// not. The number is a possible process id (isLeftBehind checks it): kill
// would take 0 for this process group.
bool processRuns(unsigned long process) {
    return ::kill(static_cast<pid_t>(process), 0) == 0 || errno != ESRCH;
}

// Whether a file named as our temporary files are, after the writer process,
// was left behind by a replacement of this user's that was killed: a regular
// file of this user's with no other name (ours never get one: a file that
// has one is someone's file under a second name), named after a possible process id that
// runs no more, last changed over an hour ago. A look-alike of any other
// kind is someone else's, and stays.
bool isLeftBehind(const struct stat& file, unsigned long process, std::time_t now, unsigned long highest) {
    if (!S_ISREG(file.st_mode) || file.st_uid != ::geteuid() || file.st_nlink != 1) return false;
    if (process == 0 || process > highest) return false;
    if (file.st_mtime > now || now - file.st_mtime <= staleAfterSeconds) return false;
    return !processRuns(process);
}

// Removes the temporary files left in the open folder by replacements that
// were killed (isLeftBehind); closes the folder.
void removeStaleTemporaries(int folder) {
    DIR* const entries = ::fdopendir(folder);
    if (entries == nullptr) {
        ::close(folder);
        return;
    }
    const std::time_t now = std::time(nullptr);
    const unsigned long highest = highestProcess();
    while (const dirent* entry = ::readdir(entries)) {
        unsigned long process = 0;
        if (!isOurTemporary(entry->d_name, process)) continue;
        struct stat file {};
        if (::fstatat(folder, entry->d_name, &file, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (isLeftBehind(file, process, now, highest)) ::unlinkat(folder, entry->d_name, 0);
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
    if (const std::error_code looked = resolveLinks(path, target)) {
        why = looked;
        return false;
    }
    struct stat existing {};
    bool exists = true;
    if (::stat(target.c_str(), &existing) != 0) {
        // Only a name with nothing there (ENOTDIR: a part of its folder is a
        // file, so nothing can be there) is a new file; any other failed
        // look-up leaves the file's mode and rights unknown.
        if (errno != ENOENT && errno != ENOTDIR) return fail(lastError());
        exists = false;
    }
    if (exists && S_ISDIR(existing.st_mode)) return fail(EISDIR);
    if (exists && !S_ISREG(existing.st_mode)) return fail(EINVAL);
    // A file that no one may write is read-only for every user: also for
    // root, whom access() lets write anything.
    if (exists && (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return fail(EACCES);
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
