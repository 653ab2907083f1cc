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

std::string privateFolder() {
    std::error_code ignored;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(ignored);
    return temp.empty() ? std::string(".") : utf8Of(temp);
}

namespace {

// An environment variable as UTF-8, or "".
std::string environmentText(const wchar_t* name) {
    const DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), n));
    return utf8Of(std::filesystem::path(value));
}

}  // namespace

std::string homeFolder() { return environmentText(L"USERPROFILE"); }

std::string userStateFolder() { return environmentText(L"LOCALAPPDATA"); }

void ownPortOptions(std::uintptr_t socket) {
    const BOOL yes = TRUE;
    setsockopt(static_cast<SOCKET>(socket), SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes),
               sizeof yes);
}

bool systemRandom(unsigned char* buffer, std::size_t size) {
    return BCryptGenRandom(nullptr, buffer, static_cast<ULONG>(size), BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0;
}

bool writePrivateFile(const std::string& path, std::string_view bytes, std::string& why) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), w.data(), n);
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
