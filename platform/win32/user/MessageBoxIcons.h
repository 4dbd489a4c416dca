// MessageBoxIcons.h: the message-box icons, drawn by the platform itself.
#pragma once

#include "platform/win32/windows.h"

namespace user {

// A new 32 x 32 icon for MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION or MB_ICONASTERISK
// (the MB_ICONMASK bits of `type`); NULL for none. The caller destroys it.
HICON create_message_box_icon(UINT type);

}  // namespace user
