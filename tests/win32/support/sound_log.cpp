#include "sound_log.h"

#include <cstdio>

#include "win/late_dll.h"

std::vector<std::string> SoundLog;

std::string Played(const char* file, DWORD flags, HMODULE module)
{
    char text[64];
    std::snprintf(text, sizeof text, " flags=0x%lx module=%p", static_cast<unsigned long>(flags),
                  static_cast<void*>(module));
    return (file ? file : "(null)") + std::string(text);
}

BOOL late::PlaySoundA(const char* sound, HMODULE module, DWORD flags)
{
    SoundLog.push_back(Played(sound, flags, module));
    return TRUE;
}
