#include "host.h"

#include <filesystem>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace fs = std::filesystem;

namespace {

std::function<void()>& stopCall() {
    static std::function<void()> call;
    return call;
}

void callStopOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (stopCall()) stopCall()();
    });
}

}  // namespace

std::string utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path pathOfUtf8(std::string_view text) { return fs::path(std::u8string(text.begin(), text.end())); }

std::string privateFolder() {
    std::error_code ignored;
#ifndef _WIN32
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != 0 &&
                                                               fs::is_directory(runtime, ignored))
        return runtime;
#endif
    fs::path temp = fs::temp_directory_path(ignored);
    return temp.empty() ? std::string(".") : utf8Of(temp);
}

#ifdef _WIN32

#include <winsock2.h>
#include <windows.h>
#include <bcrypt.h>
#include <shellapi.h>

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

std::vector<std::string> utf8Arguments(int, char**) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, args[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(n > 0 ? static_cast<std::size_t>(n - 1) : 0, '\0');
        if (n > 1) WideCharToMultiByte(CP_UTF8, 0, args[i], -1, text.data(), n, nullptr, nullptr);
        out.push_back(std::move(text));
    }
    LocalFree(args);
    return out;
}

namespace {

BOOL WINAPI onConsoleEvent(DWORD) {
    std::thread(callStopOnce).detach();
    return TRUE;
}

}  // namespace

void watchForEnd(std::function<void()> stop) {
    stopCall() = std::move(stop);
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

#else

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

void ownPortOptions(std::uintptr_t socket) {
    const int yes = 1;
    setsockopt(static_cast<int>(socket), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

bool systemRandom(unsigned char* buffer, std::size_t size) {
    while (size > 0) {
        const std::size_t part = size < 256 ? size : 256;  // getentropy's limit
        if (getentropy(buffer, part) != 0) return false;
        buffer += part;
        size -= part;
    }
    return true;
}

bool writePrivateFile(const std::string& path, std::string_view bytes, std::string& why) {
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    if (!ok) why = std::strerror(errno);
    if (::close(fd) != 0 && ok) {
        why = std::strerror(errno);
        ok = false;
    }
    return ok;
}

std::vector<std::string> utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void watchForEnd(std::function<void()> stop) {
    stopCall() = std::move(stop);
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t endSignals;
    sigemptyset(&endSignals);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&endSignals, s);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);
    std::thread([endSignals] {
        int received = 0;
        while (sigwait(&endSignals, &received) != 0) {
        }
        callStopOnce();
    }).detach();
}

#endif
