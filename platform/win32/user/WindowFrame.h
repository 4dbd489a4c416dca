// WindowFrame.h: the non-client frame a window's styles give it.
#pragma once

#include "platform/win32/windows.h"

namespace user {

// Widths of the frame on each side (left, top with the caption, right, bottom).
RECT frame_insets(DWORD style, DWORD ex_style);

}  // namespace user
