// The game's sound effects: bare file names, looked up by the system, never blocking.
#include <windows.h>

#include <mmsystem.h>

#include "game/effects.h"
#include "late_dll.h"

void PlayGameSound(const char* fileName)
{
    late::PlaySoundA(fileName, nullptr, SND_ASYNC | SND_NODEFAULT);
}
