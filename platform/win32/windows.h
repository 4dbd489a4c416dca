// windows.h: the whole Windows API stand-in, as program code and the resource script include it.
#pragma once

#include "platform/win32/windef.h"
#include "platform/win32/winbase.h"
#include "platform/win32/wingdi.h"
#include "platform/win32/winuser.h"
#include "platform/win32/mmsystem.h"
