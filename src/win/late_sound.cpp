// PlaySoundA from the late-loaded winmm.dll, in a library of its own: a program that
// defines late::PlaySoundA itself links its own definition in place of this one.
#include <windows.h>

#include <mmsystem.h>

#include "late_dll.h"

namespace late {

BOOL PlaySoundA(const char* sound, HMODULE module, DWORD flags)
{
    const auto call = reinterpret_cast<decltype(::PlaySoundA)*>(WinmmFunction("PlaySoundA"));
    return call ? call(sound, module, flags) : FALSE;
}

} // namespace late
