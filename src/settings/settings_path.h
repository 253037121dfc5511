#pragma once
// The path rule: every file the game opens lives in the executable's own directory.
#include <windows.h>

// The size of the game's path buffers (264 bytes); a usable path is at most MAX_PATH - 1 characters.
inline constexpr int PathBufferSize = MAX_PATH + 4;

// Joins the directory of exePath with name. exeLength is what GetModuleFileNameA
// returned for exePath: 0 or MAX_PATH and beyond mean the path is missing or cut
// short, and a cut path names some other folder. Returns false, with out empty,
// rather than build such a path or one that would not fit.
bool JoinBesideExe(const char* exePath, DWORD exeLength, const char* name, char (&out)[PathBufferSize]);

// The full path of name beside the running executable, built afresh on every call.
bool PathBesideExe(const char* name, char (&out)[PathBufferSize]);
