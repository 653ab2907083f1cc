// What a local server needs of Windows.
#include "host.h"

#include <filesystem>
#include <system_error>
#include <thread>
#include <utility>

#include "hostShared.h"
#include "utf8.h"

#include <winsock2.h>
#include <windows.h>
#include <bcrypt.h>
#include <shellapi.h>

namespace {

std::wstring wideOf(const std::string& text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), w.data(), n);
    return w;
}

std::string lastReason() { return std::system_category().message(static_cast<int>(GetLastError())); }

}  // namespace

bool replacePrivateFile(const std::string& path, std::string_view bytes, std::string& why) {
    const std::wstring target = wideOf(path);
    const std::wstring temp = target + L".new-" + std::to_wstring(GetCurrentProcessId());
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        why = path + ": " + lastReason();
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size() && FlushFileBuffers(file);
    if (!ok) why = path + ": " + lastReason();
    CloseHandle(file);
    if (ok && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        why = path + ": " + lastReason();
        ok = false;
    }
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

std::intptr_t takeLock(const std::string& path, std::string& why) {
    why.clear();
    HANDLE file = CreateFileW(wideOf(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return reinterpret_cast<std::intptr_t>(file);
    if (GetLastError() != ERROR_SHARING_VIOLATION) why = path + ": " + lastReason();
    return -1;
}

void releaseLock(std::intptr_t lock) {
    if (lock != -1) CloseHandle(reinterpret_cast<HANDLE>(lock));
}

std::string thisProgramPath() {
    std::wstring buffer(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) return {};
    buffer.resize(n);
    return utf8Of(std::filesystem::path(buffer));
}

void ownPortOptions(std::uintptr_t socket) {
    const BOOL yes = TRUE;
    setsockopt(static_cast<SOCKET>(socket), SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes),
               sizeof yes);
}

bool systemRandom(unsigned char* buffer, std::size_t size) {
    return BCryptGenRandom(nullptr, buffer, static_cast<ULONG>(size), BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0;
}

bool writePrivateFile(const std::string& path, std::string_view bytes, std::string& why) {
    const std::wstring w = wideOf(path);
    DeleteFileW(w.c_str());
    HANDLE file = CreateFileW(w.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        why = std::system_category().message(static_cast<int>(GetLastError()));
        return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    if (!ok) why = std::system_category().message(static_cast<int>(GetLastError()));
    CloseHandle(file);
    return ok;
}

namespace {

BOOL WINAPI onConsoleEvent(DWORD) {
    std::thread(callStopOnce).detach();
    return TRUE;
}

}  // namespace

void watchForEnd(std::function<void()> stop) {
    setStopCall(std::move(stop));
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}
