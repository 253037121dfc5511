#pragma once
// Every sound the game asks for, in order, as "file flags=0x.. module=..": this test
// program links a late::PlaySoundA of its own that records the call and plays nothing.
#include <windows.h>

#include <string>
#include <vector>

extern std::vector<std::string> SoundLog;

// A call as SoundLog writes it, with no module.
std::string Played(const char* file, DWORD flags);
