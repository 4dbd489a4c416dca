// PlayResourceSound.h: plays one wave resource of type "sound" synchronously from memory.
#pragma once

#include "platform/win32/windows.h"

// Plays wave resource `soundId` and returns when it has played. FALSE only when the wave
// was found but the sound system refused it; a missing resource plays nothing and is TRUE.
BOOL PlayResourceSound(UINT soundId);
