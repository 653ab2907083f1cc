// A library the end-to-end cases load into a dynamically linked copy of the
// program (LD_PRELOAD) to make one kind of file look-up fail, as a file
// system with a fault, a dropped network mount or a security module would:
//
//   TARVELKIN_FAIL="CALL NAME ERROR"
//
// makes every call CALL (lstat or stat, in any of the C library's forms) on a
// path whose last part is NAME fail with ERROR (EACCES, EIO, ENOENT, ENOTDIR
// or ELOOP), and lets every other call through to the C library.
#ifndef _GNU_SOURCE
#define _GNU_SOURCE 1
#endif
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

struct failure {
    std::string call;
    std::string name;
    int error = 0;
};

const failure& chosen() {
    static const failure f = [] {
        failure out;
        const char* text = std::getenv("TARVELKIN_FAIL");
        if (text == nullptr) return out;
        const std::string_view all(text);
        const std::size_t a = all.find(' '), b = all.rfind(' ');
        if (a == std::string_view::npos || b == a) return out;
        static const struct {
            const char* name;
            int number;
        } errors[] = {{"EACCES", EACCES}, {"EIO", EIO}, {"ENOENT", ENOENT}, {"ENOTDIR", ENOTDIR}, {"ELOOP", ELOOP}};
        for (const auto& e : errors)
            if (all.substr(b + 1) == e.name) out.error = e.number;
        out.call = all.substr(0, a);
        out.name = all.substr(a + 1, b - a - 1);
        return out;
    }();
    return f;
}

// Whether call on path is to fail; sets errno when it is.
bool fails(const char* call, const char* path) {
    const failure& f = chosen();
    if (f.error == 0 || path == nullptr || f.call != call) return false;
    const std::string_view p(path);
    const std::size_t slash = p.rfind('/');
    if ((slash == std::string_view::npos ? p : p.substr(slash + 1)) != f.name) return false;
    errno = f.error;
    return true;
}

template <typename function>
function next(const char* name) {
    return reinterpret_cast<function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int stat(const char* path, struct stat* buffer) {
    static const auto real = next<int (*)(const char*, struct stat*)>("stat");
    return fails("stat", path) ? -1 : real(path, buffer);
}

int lstat(const char* path, struct stat* buffer) {
    static const auto real = next<int (*)(const char*, struct stat*)>("lstat");
    return fails("lstat", path) ? -1 : real(path, buffer);
}

int stat64(const char* path, struct stat64* buffer) {
    static const auto real = next<int (*)(const char*, struct stat64*)>("stat64");
    return fails("stat", path) ? -1 : real(path, buffer);
}

int lstat64(const char* path, struct stat64* buffer) {
    static const auto real = next<int (*)(const char*, struct stat64*)>("lstat64");
    return fails("lstat", path) ? -1 : real(path, buffer);
}

int fstatat(int folder, const char* path, struct stat* buffer, int flags) {
    static const auto real = next<int (*)(int, const char*, struct stat*, int)>("fstatat");
    return fails((flags & AT_SYMLINK_NOFOLLOW) != 0 ? "lstat" : "stat", path) ? -1 : real(folder, path, buffer, flags);
}

}  // extern "C"
