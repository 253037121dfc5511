#pragma once
// Every sound the game asks for, in order: this test program links a late::PlaySoundA
// of its own that writes the call down as Played does and plays nothing.
#include <windows.h>

#include <string>
#include <vector>

extern std::vector<std::string> SoundLog;

// A call as SoundLog holds it: "file flags=0x.. module=..".
std::string Played(const char* file, DWORD flags, HMODULE module = nullptr);
