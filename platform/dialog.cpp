#include "dialog.h"

#ifdef _WIN32

#include <windows.h>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

namespace {

std::wstring wideOf(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    const int n = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

// Config texts are UTF-8 where they are valid UTF-8, else in the code page
// they were written in, taken to be the system's.
std::wstring configText(const std::string& text) {
    std::wstring w = wideOf(text, CP_UTF8);
    return w.empty() && !text.empty() ? wideOf(text, CP_ACP) : w;
}

std::string utf8Of(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string out(static_cast<std::size_t>(n - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

std::optional<std::string> folderDialog(const std::wstring& title) {
    BROWSEINFOW info{};
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (chosen == nullptr) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!ok) return std::nullopt;
    return utf8Of(path);
}

}  // namespace

bool haveNativeFileDialog() { return true; }

std::optional<std::string> nativeFileDialog(dialogKind kind, const std::string& title,
                                            const std::string& filters, const std::string& startFolder) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring wideTitle = configText(title);
    std::optional<std::string> result;
    if (kind == dialogKind::folder) {
        result = folderDialog(wideTitle);
    } else {
        std::wstring filter = configText(filters);
        for (wchar_t& c : filter)
            if (c == L'\x01') c = L'\0';
        filter.push_back(L'\0');
        const std::wstring folder = wideOf(startFolder, CP_UTF8);
        std::vector<wchar_t> path(32768, L'\0');
        OPENFILENAMEW info{};
        info.lStructSize = sizeof info;
        info.lpstrFilter = filters.empty() ? nullptr : filter.c_str();
        info.nFilterIndex = 1;
        info.lpstrFile = path.data();
        info.nMaxFile = static_cast<DWORD>(path.size());
        info.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        info.lpstrTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
        info.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                     (kind == dialogKind::open ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : OFN_OVERWRITEPROMPT);
        const BOOL chosen = kind == dialogKind::open ? GetOpenFileNameW(&info) : GetSaveFileNameW(&info);
        if (chosen) result = utf8Of(path.data());
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}

#else

bool haveNativeFileDialog() { return false; }

std::optional<std::string> nativeFileDialog(dialogKind, const std::string&, const std::string&,
                                            const std::string&) {
    return std::nullopt;
}

#endif
