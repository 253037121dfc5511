#include "beside_exe.h"

#include <windows.h>

#include <shlwapi.h>

#include <cstring>

bool JoinBesideExe(const char* exePath, DWORD exeLength, const char* name, char* out)
{
    out[0] = '\0';
    // A full buffer means the name was cut short (and on XP not even terminated).
    if (exeLength == 0 || exeLength >= MAX_PATH || strnlen(exePath, MAX_PATH) >= MAX_PATH)
        return false;
    char buffer[PathBufferSize] = {};
    lstrcpyA(buffer, exePath);
    PathRemoveFileSpecA(buffer);
    // Checked before PathAppendA, which adds at most the one backslash, and after it.
    if (name && (std::strlen(buffer) + 1 + std::strlen(name) >= MAX_PATH || !PathAppendA(buffer, name) ||
                 lstrlenA(buffer) >= MAX_PATH))
        return false;
    // A bare name would be looked up in the Windows directory, not beside the game.
    if (PathIsRelativeA(buffer))
        return false;
    lstrcpyA(out, buffer);
    return true;
}

bool GetPathBesideExe(char* out, const char* name)
{
    char exePath[PathBufferSize] = {};
    const DWORD length = GetModuleFileNameA(nullptr, exePath, MAX_PATH);
    return JoinBesideExe(exePath, length, name, out);
}
