// The game's sound effects: bare file names, looked up by the system, never blocking.
#include <windows.h>

#include <mmsystem.h>

#include <cstring>

#include "effects.h"
#include "sounds.h"
#include "win/late_dll.h"

void PlayGameSound(const char* fileName)
{
    // A moment of the game cuts off the sound before it; a tile's snap lets it finish.
    const DWORD keep = std::strcmp(fileName, SoundTileSnap) == 0 ? SND_NOSTOP : 0;
    late::PlaySoundA(fileName, nullptr, SND_ASYNC | SND_NODEFAULT | keep);
}
