// Reads Tilvara's board as a Windows screen reader does, through MSAA: finds the main window's
// board, asks it for its IAccessible and prints the focused child, then one line per cell:
// "index left top width height state name" (screen pixels, state in hex, name in UTF-8).
#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(BSTR text) {
    if (!text) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    SysFreeString(text);
    return out;
}

VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    HWND board = nullptr;
    for (int tries = 0; tries < 100 && !board; ++tries) {
        if (HWND main = FindWindowW(L"TilvaraMain", nullptr))
            board = FindWindowExW(main, nullptr, L"TilvaraBoard", nullptr);
        if (!board) Sleep(100);
    }
    IAccessible* acc = nullptr;
    const HRESULT found =
        board ? AccessibleObjectFromWindow(board, static_cast<DWORD>(OBJID_CLIENT),
                                           __uuidof(IAccessible), reinterpret_cast<void**>(&acc))
              : E_FAIL;
    if (FAILED(found) || !acc) {
        std::fprintf(stderr, "a11y_probe: no accessible board (window %p, %lx)\n",
                     static_cast<void*>(board), static_cast<unsigned long>(found));
        return 1;
    }
    long count = 0;
    BSTR name = nullptr;
    VARIANT focus;
    VariantInit(&focus);
    acc->get_accChildCount(&count);
    acc->get_accName(Child(CHILDID_SELF), &name);
    acc->get_accFocus(&focus);
    std::printf("board %ld %ld %s\n", count, focus.vt == VT_I4 ? focus.lVal : -1,
                Utf8(name).c_str());
    for (long i = 1; i <= count; ++i) {
        long x = 0, y = 0, w = 0, h = 0;
        VARIANT state;
        VariantInit(&state);
        name = nullptr;
        acc->accLocation(&x, &y, &w, &h, Child(i));
        acc->get_accState(Child(i), &state);
        acc->get_accName(Child(i), &name);
        std::printf("%ld %ld %ld %ld %ld %lx %s\n", i, x, y, w, h, state.lVal, Utf8(name).c_str());
    }
    acc->Release();
    CoUninitialize();
    return 0;
}
