// wingdi.h: filled in by its area of the stand-in.
#pragma once

#include "platform/win32/windef.h"
