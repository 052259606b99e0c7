// The keyboard as the window system holds it, for telling a held key's repeats apart.
#pragma once

#include <QtGlobal>
#include <optional>

namespace tilvara::ui {

// Whether the X server has the key of this native scan code down at this moment; nothing
// where no X server answers (another platform, or no code).
std::optional<bool> KeyDownNow(quint32 nativeScanCode);

}  // namespace tilvara::ui
