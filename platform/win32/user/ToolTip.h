// ToolTip.h: the tool-tip control's window class.
#pragma once

#include "platform/win32/windows.h"

namespace user {

// Registers "tooltips_class32" once; false when it cannot be registered.
bool register_tool_tip_class();

}  // namespace user
