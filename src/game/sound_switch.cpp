#include "sound_switch.h"

int32_t SoundOn = 0;
