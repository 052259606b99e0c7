// The keyboard as the window system holds it, for telling a held key's repeats apart.
#pragma once

#include <QtGlobal>
#include <optional>

namespace tilvara::ui {

// Whether the X server has the key of this native scan code down at this moment; nothing
// where no X server answers (another platform, or no code).
std::optional<bool> KeyDownNow(quint32 nativeScanCode);

// Asks the X server to send a held key's repeats as presses alone, with no release between
// them, so that every release the program sees is a finger let go, however late it is read.
// Whether the server agreed (false where no X server answers).
bool AskForRepeatsWithoutReleases();

}  // namespace tilvara::ui
