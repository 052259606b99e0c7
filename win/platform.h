// Small Win32 helpers every window of the program uses: text conversion, the scale of a
// window's monitor, the game's fonts and opening a link.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tilvara::win {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// The window's dots per inch: its monitor's on Windows 10 (per-monitor awareness), the
// system's before.
UINT DpiOf(HWND window);
// Design pixels (96 dpi) to the window's device pixels.
inline int Scaled(int designPixels, UINT dpi) { return MulDiv(designPixels, dpi, 96); }

// The game's face, "Microsoft YaHei", or "SimSun" where it is missing; `pixels` is the
// character height in device pixels.
HFONT GameFont(int pixels, bool bold);

// Opens a link label's address (the core's LinkAddress: web and mail only) in the user's
// programs; an empty one opens nothing.
void OpenLink(const std::string& address);

// A window whose Enter, Esc and Tab the message loop hands to IsDialogMessage.
void MarkDialog(HWND window);
bool IsMarkedDialog(HWND window);

// Turns a window off while a window-modal one is over it, and back on.
void Block(HWND owner, bool blocked);

}  // namespace tilvara::win
