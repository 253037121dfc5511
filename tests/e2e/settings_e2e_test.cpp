// The settings file and the first-run dialog as a player meets them: a first start,
// Cancel and OK, the sound switch kept across New game, another working directory,
// and a game folder that cannot be written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "e2e.h"
#include "resource.h"

using namespace e2e;

namespace {

constexpr const char* SettingsCaption = "設定";
// The dialog comes up with the process, which may start slowly on a busy machine.
constexpr int StartTimeoutMs = 15000;
constexpr const char* SoundOnIni = "[Config]\r\nSOUND=1\r\n";
constexpr const char* SoundOffIni = "[Config]\r\nSOUND=0\r\n";
constexpr const char* DesktopAndStartMenuKeys = "[ShellLink]\r\nSTARTUP=0\r\nDESKTOP=1\r\nSTARTMENU=1\r\n";

// Scratch folders are named by process id and a count, and Wine hands out the same
// process ids in every session: a folder from an earlier run may still hold its
// velquin.ini, which would turn a first start into a later one. Clear the folder the
// next Game will take.
void ClearNextScratchFolder()
{
    const std::string taken = ScratchDir();
    const size_t dash = taken.rfind('-');
    if (dash == std::string::npos)
        return;
    const std::string next = taken.substr(0, dash + 1) + std::to_string(std::atoi(taken.c_str() + dash + 1) + 1);
    DeleteFileA((next + "\\game\\velquin.ini").c_str());
}

GameOptions WithIni(const char* ini, const std::string& workingDir = {})
{
    ClearNextScratchFolder();
    GameOptions options;
    options.ini = ini;
    options.workingDir = workingDir;
    return options;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// One of the prefix's redirected shell folders, as the registry names it.
std::string ShellFolder(const char* value)
{
    HKEY key;
    char raw[MAX_PATH] = {}, path[MAX_PATH] = {};
    DWORD size = sizeof raw;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", 0,
                      KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(raw), &size);
        RegCloseKey(key);
    }
    ExpandEnvironmentStringsA(raw, path, sizeof path);
    return path;
}

int CheckState(HWND dialog, int id)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000, &state);
    return static_cast<int>(state);
}

void Tick(HWND dialog, int id)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result);
}

// The first-run dialog as it must look: nothing ticked, Startup out of reach.
void ExpectFreshDialog(HWND dialog)
{
    EXPECT_EQ(CheckState(dialog, IDC_SET_STARTUP), BST_UNCHECKED);
    EXPECT_EQ(CheckState(dialog, IDC_SET_DESKTOP), BST_UNCHECKED);
    EXPECT_EQ(CheckState(dialog, IDC_SET_STARTMENU), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_SET_STARTUP)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_SET_DESKTOP)));
}

// At start-up the dialog comes while its owner, the main window, is still hidden.
void ExpectOwnedByTheHiddenMainWindow(const Game& game, HWND dialog)
{
    const HWND owner = GetWindow(dialog, GW_OWNER);
    char ownerClass[32] = {};
    GetClassNameA(owner, ownerClass, sizeof ownerClass);
    EXPECT_STREQ(ownerClass, "Parent Window");
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_EQ(game.FindWindowOfClass("Parent Window"), nullptr);
}

// Runs a Linux command from this Win32 program; Wine starts ELF programs directly,
// but its handle does not tell when they are done, so callers wait for the effect.
void RunUnix(const std::string& commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
}

std::string UnixPath(const std::string& windowsPath)
{
    using Convert = char*(CDECL*)(const wchar_t*);
    const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* unix = convert ? convert(wide) : nullptr;
    std::string path = unix ? unix : "";
    if (unix)
        HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

bool CanCreateFileIn(const std::string& dir)
{
    const std::string probe = dir + "\\write-probe.tmp";
    const HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    DeleteFileA(probe.c_str());
    return true;
}

// Makes a folder unwritable for as long as it lives. Wine ignores the read-only
// attribute on folders and root ignores permission bits, so the folder is made
// immutable (root) or loses its write bits (anyone else).
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::string& dir) : dir_(dir), unixDir_(UnixPath(dir))
    {
        if (unixDir_.empty())
            return;
        RunUnix("/usr/bin/chattr +i " + unixDir_);
        if (WaitUntil([&] { return !CanCreateFileIn(dir_); }, 3000))
            return;
        RunUnix("/bin/chmod a-w " + unixDir_);
        WaitUntil([&] { return !CanCreateFileIn(dir_); }, 3000);
    }
    ~ReadOnlyFolder()
    {
        if (unixDir_.empty())
            return;
        RunUnix("/usr/bin/chattr -i " + unixDir_);
        if (WaitUntil([&] { return CanCreateFileIn(dir_); }, 3000))
            return;
        RunUnix("/bin/chmod u+w " + unixDir_);
        WaitUntil([&] { return CanCreateFileIn(dir_); }, 3000);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool Effective() const { return !unixDir_.empty() && !CanCreateFileIn(dir_); }

private:
    std::string dir_, unixDir_;
};

// Removes the game's shortcuts before and after a test.
class LinkCleanup {
public:
    LinkCleanup(std::initializer_list<std::string> links) : links_(links) { Remove(); }
    ~LinkCleanup() { Remove(); }
    LinkCleanup(const LinkCleanup&) = delete;
    LinkCleanup& operator=(const LinkCleanup&) = delete;

private:
    void Remove() const
    {
        for (const std::string& link : links_)
            DeleteFileA(link.c_str());
    }
    std::vector<std::string> links_;
};

struct FindState {
    DWORD pid;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindVisibleOfProcess(HWND window, LPARAM param)
{
    auto* state = reinterpret_cast<FindState*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (pid != state->pid || !IsWindowVisible(window) || std::string(className) != state->className)
        return TRUE;
    state->found = window;
    return FALSE;
}

HWND WaitForWindowOf(DWORD pid, const char* className)
{
    FindState state{pid, className, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(FindVisibleOfProcess, reinterpret_cast<LPARAM>(&state));
            return state.found != nullptr;
        },
        StartTimeoutMs);
    return state.found;
}

// Starts the copy that a Game left behind once more, cancels its first-run dialog and
// quits; the process's exit code, or 99 when it got stuck.
DWORD StartAgainCancelAndQuit(const std::string& dir, bool* dialogShown)
{
    const std::string exe = dir + "\\Velquin.exe";
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                        &process))
        return 99;
    const HWND dialog = WaitForWindowOf(process.dwProcessId, "#32770");
    *dialogShown = dialog && WindowText(dialog) == SettingsCaption;
    if (dialog)
        ClickDialogButton(dialog, IDCANCEL);
    const HWND main = WaitForWindowOf(process.dwProcessId, "Parent Window");
    if (main)
        PostMessageA(main, WM_CLOSE, 0, 0);
    DWORD code = 99;
    if (WaitForSingleObject(process.hProcess, 8000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
}

} // namespace

TEST(Settings, FirstStartAsksBeforeTheWindowShowsAndCancelPlaysWithSoundOff)
{
    Game game(WithIni(nullptr));
    const HWND dialog = game.WaitForDialog(SettingsCaption, StartTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    ExpectFreshDialog(dialog);
    ExpectOwnedByTheHiddenMainWindow(game, dialog);
    RECT r;
    GetWindowRect(dialog, &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
    CaptureScreen().Save("settings-dialog");

    ClickDialogButton(dialog, IDCANCEL);
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    EXPECT_FALSE(Exists(game.IniPath())) << "Cancel writes nothing";
    DWORD code = 1;
    ASSERT_TRUE(game.Quit(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ReadFileText(game.IniPath()), SoundOffIni);
}

TEST(Settings, OkWithDesktopAndStartMenuMakesBothShortcutsAndWritesTheirKeys)
{
    const std::string desktopLink = ShellFolder("Desktop") + "\\Velquin.lnk";
    const std::string programsLink = ShellFolder("Programs") + "\\Velquin.lnk";
    const std::string startupLink = ShellFolder("Startup") + "\\Velquin.lnk";
    ASSERT_NE(desktopLink.find("velquin-shell"), std::string::npos) << "the shell folders are not redirected";
    ASSERT_NE(programsLink.find("velquin-shell"), std::string::npos);
    LinkCleanup cleanup{desktopLink, programsLink, startupLink};

    Game game(WithIni(nullptr));
    const HWND dialog = game.WaitForDialog(SettingsCaption, StartTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    Tick(dialog, IDC_SET_DESKTOP);
    Tick(dialog, IDC_SET_STARTMENU);
    // A real click, as a player's: the disabled box does not take it.
    RECT startup;
    GetWindowRect(GetDlgItem(dialog, IDC_SET_STARTUP), &startup);
    Click((startup.left + startup.right) / 2, (startup.top + startup.bottom) / 2);
    Sleep(100);
    EXPECT_EQ(CheckState(dialog, IDC_SET_DESKTOP), BST_CHECKED);
    EXPECT_EQ(CheckState(dialog, IDC_SET_STARTMENU), BST_CHECKED);
    EXPECT_EQ(CheckState(dialog, IDC_SET_STARTUP), BST_UNCHECKED);
    CaptureScreen().Save("settings-dialog-ticked");

    ClickDialogButton(dialog, IDOK);
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    EXPECT_TRUE(Exists(desktopLink));
    EXPECT_TRUE(Exists(programsLink));
    EXPECT_FALSE(Exists(startupLink));
    // The link records the copy it was made from.
    EXPECT_NE(ReadFileText(desktopLink).find(game.dir() + "\\Velquin.exe"), std::string::npos);
    EXPECT_EQ(ReadFileText(game.IniPath()), DesktopAndStartMenuKeys);

    DWORD code = 1;
    ASSERT_TRUE(game.Quit(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ReadFileText(game.IniPath()), std::string(DesktopAndStartMenuKeys) + SoundOffIni);
}

// Shortcuts, help and sounds load their DLLs on first use. Where those cannot be
// loaded, only their calls fail: the game starts, keeps the player's choices, plays
// and quits as usual.
TEST(Settings, WithoutTheShellComAndSoundDllsOnlyTheirCallsFail)
{
    const std::string desktopLink = ShellFolder("Desktop") + "\\Velquin.lnk";
    LinkCleanup cleanup{desktopLink};
    // Wine's per-program DLL settings: an empty value leaves the DLL unloadable.
    const char* const key = "Software\\Wine\\AppDefaults\\Velquin.exe\\DllOverrides";
    HKEY overrides;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &overrides, nullptr), 0);
    for (const char* dll : {"shell32", "ole32", "winmm"})
        RegSetValueExA(overrides, dll, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegCloseKey(overrides);
    struct Restore {
        const char* key;
        ~Restore() { RegDeleteKeyA(HKEY_CURRENT_USER, key); }
    } restore{key};
    Game game(WithIni(nullptr));
    const HWND dialog = game.WaitForDialog(SettingsCaption, StartTimeoutMs);
    ASSERT_NE(dialog, nullptr) << "the game did not start";
    Tick(dialog, IDC_SET_DESKTOP);
    ClickDialogButton(dialog, IDOK);
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    EXPECT_FALSE(Exists(desktopLink));
    game.Send(IDM_SOUND_ON);
    game.Send(IDC_DIGIT_BASE);
    game.Send(IDM_HELPFILE);
    DWORD code = 1;
    ASSERT_TRUE(game.Quit(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ReadFileText(game.IniPath()), "[ShellLink]\r\nSTARTUP=0\r\nDESKTOP=1\r\nSTARTMENU=0\r\n" + std::string(SoundOnIni));
}

// The second New game saves what the first left in force; the menu's Quit saves the
// choice made after it.
TEST(Settings, SoundSwitchSurvivesNewGameAndIsSavedAtQuit)
{
    Game game(WithIni(SoundOnIni));
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    EXPECT_EQ(game.FindWindowOfClass("#32770"), nullptr) << "not a first run";
    game.Send(IDM_SOUND_OFF);
    game.Send(IDM_NEWGAME);
    game.Send(IDM_NEWGAME);
    EXPECT_EQ(game.FindWindowOfClass("#32770"), nullptr);
    EXPECT_EQ(ReadFileText(game.IniPath()), SoundOffIni);

    game.Send(IDM_SOUND_ON);
    game.Post(IDM_QUIT);
    DWORD code = 1;
    ASSERT_TRUE(game.WaitForExit(&code, 8000));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ReadFileText(game.IniPath()), SoundOnIni);
}

TEST(Settings, StartedFromAnotherWorkingDirectoryTheGameUsesItsOwnFile)
{
    const std::string elsewhere = ScratchDir();
    DeleteFileA((elsewhere + "\\velquin.ini").c_str());
    Game game(WithIni(SoundOnIni, elsewhere));
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    EXPECT_EQ(game.FindWindowOfClass("#32770"), nullptr) << "the file beside the game was not found";
    game.Send(IDM_SOUND_OFF);
    ASSERT_TRUE(game.Quit());
    EXPECT_EQ(ReadFileText(game.IniPath()), SoundOffIni);
    EXPECT_FALSE(Exists(elsewhere + "\\velquin.ini"));
}

TEST(Settings, AFolderThatCannotBeWrittenMakesEveryStartAndNewGameAFirstRun)
{
    const LinkCleanup cleanup{ShellFolder("Desktop") + "\\Velquin.lnk"};
    Game game(WithIni(nullptr));
    HWND dialog = game.WaitForDialog(SettingsCaption, StartTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    ReadOnlyFolder readOnly(game.dir());
    if (!readOnly.Effective())
        GTEST_SKIP() << "no way to make a folder read-only here";

    Tick(dialog, IDC_SET_DESKTOP);
    ClickDialogButton(dialog, IDOK);
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    // OK could not keep its answers, and New game saves the sound first, in vain;
    // the dialog asks afresh, not with the ticks of the last time.
    for (int id : {IDOK, IDCANCEL}) {
        game.Post(IDM_NEWGAME);
        dialog = game.WaitForDialog(SettingsCaption);
        ASSERT_NE(dialog, nullptr) << "New game did not ask again";
        ExpectFreshDialog(dialog);
        ClickDialogButton(dialog, id);
        ASSERT_TRUE(WaitUntil([&] { return game.FindWindowOfClass("#32770") == nullptr; }));
    }
    DWORD code = 1;
    ASSERT_TRUE(game.Quit(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(Exists(game.IniPath()));

    bool dialogShown = false;
    EXPECT_EQ(StartAgainCancelAndQuit(game.dir(), &dialogShown), 0u);
    EXPECT_TRUE(dialogShown) << "the next start did not ask again";
    EXPECT_FALSE(Exists(game.IniPath()));
}
