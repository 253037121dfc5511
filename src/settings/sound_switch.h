#pragma once
#include <cstdint>

// Sound effects play only while this is exactly 1; the menu's check marks count
// any non-zero value as on. Loaded from and saved to the settings file.
extern int32_t SoundOn;

inline bool SoundEffectsOn()
{
    return SoundOn == 1;
}
