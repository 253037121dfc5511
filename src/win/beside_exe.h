#pragma once
// The path rule: every file the game opens is found in the executable's own
// directory, built afresh on every use and never from the current directory.
#include <windows.h>

// The size of the game's path buffers (264 bytes); a usable path is at most MAX_PATH - 1 characters.
inline constexpr int PathBufferSize = MAX_PATH + 4;

// The executable's folder joined with name (the folder alone for a null name) into
// out, MAX_PATH bytes. A path that would not fit leaves out empty and gives false.
bool GetPathBesideExe(char* out, const char* name);

// The same from a given executable path, so that the paths the system cannot be made
// to report can be checked: exeLength is what GetModuleFileNameA returned for
// exePath, 0 or MAX_PATH and beyond when it is missing or cut short (a cut path
// names some other folder), and a relative result is refused.
bool JoinBesideExe(const char* exePath, DWORD exeLength, const char* name, char* out);
