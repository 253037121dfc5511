// The settings file beside the executable: the sound switch and the shortcut flags.
#include "settings.h"

#include <windows.h>

#include <shlwapi.h>

#include <cstdio>

#include "win/app_records.h"
#include "win/beside_exe.h"

ShellLinkFlagsRecord ShellLinkFlags;

namespace {

constexpr const char* ConfigSection = "Config";
constexpr const char* SoundKey = "SOUND";
constexpr const char* ShellLinkSection = "ShellLink";
constexpr int MissingFlag = 100;

struct FlagKey {
    const char* key;
    int32_t ShellLinkFlagsRecord::*flag;
};
// The order in which the keys are read and written.
constexpr FlagKey FlagKeys[] = {
    {"STARTUP", &ShellLinkFlagsRecord::startup},
    {"DESKTOP", &ShellLinkFlagsRecord::desktop},
    {"STARTMENU", &ShellLinkFlagsRecord::startMenu},
};

void WriteSettingInt(const char* section, const char* key, int value, const char* fileName)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d", value);
    WriteSettingString(section, key, text, fileName);
}

} // namespace

int FileExistsBesideExe(const char* name)
{
    char path[PathBufferSize];
    return GetPathBesideExe(path, name) && PathFileExistsA(path) ? 1 : 0;
}

int ReadSettingInt(const char* section, const char* key, int defaultValue, const char* fileName)
{
    char path[PathBufferSize];
    if (!GetPathBesideExe(path, fileName))
        return defaultValue;
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, path));
}

void ReadSettingString(const char* section, const char* key, char* out, int size, const char* fileName)
{
    char path[PathBufferSize];
    if (size <= 0)
        return;
    out[0] = '\0';
    if (GetPathBesideExe(path, fileName))
        GetPrivateProfileStringA(section, key, "", out, static_cast<DWORD>(size), path);
}

void WriteSettingString(const char* section, const char* key, const char* value, const char* fileName)
{
    char path[PathBufferSize];
    if (GetPathBesideExe(path, fileName))
        WritePrivateProfileStringA(section, key, value, path);
}

int LoadShellLinkFlags(const char* fileName)
{
    bool allMissing = true;
    for (const FlagKey& entry : FlagKeys) {
        const int value = ReadSettingInt(ShellLinkSection, entry.key, MissingFlag, fileName);
        ShellLinkFlags.*entry.flag = value;
        allMissing = allMissing && value == MissingFlag;
    }
    return allMissing ? MissingFlag : 0;
}

void SaveShellLinkFlags(const char* fileName)
{
    for (const FlagKey& entry : FlagKeys)
        WriteSettingInt(ShellLinkSection, entry.key, ShellLinkFlags.*entry.flag, fileName);
}

void SaveSoundSetting()
{
    WriteSettingInt(ConfigSection, SoundKey, SoundOn, AppInfo.settingsFileName);
}

void InitSettings()
{
    const char* fileName = AppInfo.settingsFileName;
    // Without a path (the game's own is too long) nothing could be kept, not even the
    // dialog's answers or a link to a cut-short target: play on with what is in memory.
    char path[PathBufferSize];
    if (!GetPathBesideExe(path, fileName))
        return;
    if (FileExistsBesideExe(fileName)) {
        LoadShellLinkFlags(fileName);
        SoundOn = ReadSettingInt(ConfigSection, SoundKey, 1, fileName);
    } else {
        ShellLinkFlags = {};
        ShowSettingsDialog();
    }
}
