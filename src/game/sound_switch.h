#pragma once
// The game's sound switch, one for the process: the rules read it before every
// effect, the sound menu sets it, the settings file keeps it between runs.
#include <cstdint>

// Sound effects play only while this is exactly 1; the menu's check marks count
// any non-zero value as on.
extern int32_t SoundOn;

inline bool SoundEffectsOn()
{
    return SoundOn == 1;
}
