// Win32 helpers shared by the program's windows.
#include "win/platform.h"

#include <shellapi.h>

namespace tilvara::win {

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                        nullptr, nullptr);
    return utf8;
}

UINT DpiOf(HWND window) {
    // GetDpiForWindow is Windows 10's; looked up so that the program still starts on 7.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto forWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32"), "GetDpiForWindow")));
    if (forWindow && window) return forWindow(window);
    HDC screen = GetDC(nullptr);
    const UINT dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

namespace {

int CALLBACK FoundFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

const wchar_t* GameFace() {
    static const wchar_t* face = [] {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        lstrcpyW(wanted.lfFaceName, L"Microsoft YaHei");
        bool found = false;
        HDC screen = GetDC(nullptr);
        EnumFontFamiliesExW(screen, &wanted, FoundFont, reinterpret_cast<LPARAM>(&found), 0);
        ReleaseDC(nullptr, screen);
        return found ? L"Microsoft YaHei" : L"SimSun";
    }();
    return face;
}

}  // namespace

HFONT GameFont(int pixels, bool bold) {
    return CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH, GameFace());
}

void OpenLink(const std::string& address) {
    if (address.empty()) return;
    ShellExecuteW(nullptr, L"open", Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MarkDialog(HWND window) { SetPropW(window, L"TilvaraDialog", reinterpret_cast<HANDLE>(1)); }

bool IsMarkedDialog(HWND window) { return window && GetPropW(window, L"TilvaraDialog"); }

void Block(HWND owner, bool blocked) {
    if (owner && IsWindow(owner)) EnableWindow(owner, !blocked);
}

}  // namespace tilvara::win
