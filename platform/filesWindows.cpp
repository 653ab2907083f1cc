// Replacing a file whole on Windows.
#include "files.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "filesShared.h"
#include "windowsApi.h"

#include <aclapi.h>

#include <vector>

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

// Whether the token's user, or the owner it gives what it creates, is owner.
bool ownerIsThisUser(PSID owner) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    bool same = false;
    for (const TOKEN_INFORMATION_CLASS kind : {TokenOwner, TokenUser}) {
        DWORD size = 0;
        GetTokenInformation(token, kind, nullptr, 0, &size);
        std::vector<unsigned char> buffer(size);
        if (size == 0 || !GetTokenInformation(token, kind, buffer.data(), size, &size)) continue;
        const PSID sid = kind == TokenOwner ? reinterpret_cast<TOKEN_OWNER*>(buffer.data())->Owner
                                            : reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
        same = same || EqualSid(sid, owner) != 0;
    }
    CloseHandle(token);
    return same;
}

// Whether the file at path is this user's and has no other name: its owner
// can be read and is this user, and it has one link. Anything that cannot be
// read keeps the file.
bool isThisUsersAlone(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const bool alone = GetFileInformationByHandle(file, &info) != 0 && info.nNumberOfLinks == 1 &&
                       GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                                       nullptr, nullptr, &descriptor) == ERROR_SUCCESS &&
                       owner != nullptr && ownerIsThisUser(owner);
    if (descriptor != nullptr) LocalFree(descriptor);
    CloseHandle(file);
    return alone;
}

// Removes the temporary files left in folder (a target's folderPart) by
// replacements of this user's that were killed: regular files of this
// user's with one link, named after a possible process id (Windows gives
// out non-zero multiples of 4) that runs no more, last written over an hour
// ago. A look-alike of any other kind is someone else's, and stays.
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
            !isOurTemporary(found.cFileName, process) || process == 0 || process % 4 != 0)
            continue;
        const unsigned long long changed = ticks(found.ftLastWriteTime);
        if (changed > ticks(now) || ticks(now) - changed <= staleAfterSeconds * ticksPerSecond) continue;
        const std::string path = prefix + found.cFileName;
        if (!processRuns(process) && isThisUsersAlone(path)) DeleteFileA(path.c_str());
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
    if (const std::error_code looked = resolveLinks(path, target)) {
        why = looked;
        return false;
    }
    const DWORD existing = GetFileAttributesA(target.c_str());
    // Only a name with nothing there is a new file; any other failed look-up
    // leaves the file's attributes unknown.
    if (existing == INVALID_FILE_ATTRIBUTES) {
        const std::error_code looked = reasonOf(GetLastError());
        if (looked != std::errc::no_such_file_or_directory) {
            why = looked;
            return false;
        }
    }
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
