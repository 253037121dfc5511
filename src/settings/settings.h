#pragma once
// The settings file beside the executable, the first-run dialog and the shortcuts.
#include <windows.h>

#include <cstdint>

#include "game/sound_switch.h"

// Which shortcuts the player asked for; 100 marks a key missing from the file.
struct ShellLinkFlagsRecord {
    int32_t startup = 0;
    int32_t desktop = 0;
    int32_t startMenu = 0;
};
extern ShellLinkFlagsRecord ShellLinkFlags;

int FileExistsBesideExe(const char* name);
int ReadSettingInt(const char* section, const char* key, int defaultValue, const char* fileName);
// The value as the file spells it, cut to fit size; "" when the file or the key is missing.
void ReadSettingString(const char* section, const char* key, char* out, int size, const char* fileName);
void WriteSettingString(const char* section, const char* key, const char* value, const char* fileName);
int LoadShellLinkFlags(const char* fileName);
void SaveShellLinkFlags(const char* fileName);
void SaveSoundSetting();
void InitSettings();

void ShowSettingsDialog();
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
int CreateAppShortcut(HWND ownerWindow, const char* name, int csidl);
BOOL CreateShellLink(const char* targetPath, const char* linkFileName, HWND ownerWindow, int csidl);
