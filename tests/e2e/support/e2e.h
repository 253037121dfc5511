#pragma once
// Driving the real Velquin.exe as a player would: a fresh copy of the game folder
// per game, real mouse input with absolute coordinates, window texts read across
// processes, screen pixels and PNG screenshots.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gdi_count.h"

namespace e2e {

// Folders, as Windows paths. The game folder and artifacts come from the
// VELQUIN_GAME_DIR and VELQUIN_ARTIFACTS environment variables (Linux paths).
std::string BuiltGameDir();
std::string ArtifactsDir();
std::string ScratchDir();  // a fresh, empty folder for one test
std::string ToWindowsPath(const std::string& linuxPath);

std::string ReadFileText(const std::string& path);  // "" when missing
bool WriteFileText(const std::string& path, const std::string& text);

struct GameOptions {
    // velquin.ini written beside the executable before start; nullptr: no file (a first run).
    const char* ini = "[Config]\r\nSOUND=0\r\n";
    // Working directory of the process; empty: the game folder.
    std::string workingDir;
    // Copy the wave files and the help folder beside the executable.
    bool withSoundsAndHelp = true;
    // Run the game in place from this folder (Windows path) instead of a fresh copy;
    // ini is then ignored.
    std::string runInPlace;
    // Copies of the tests' planted.dll put beside the executable under these names
    // ("imm32"), which Wine is told to take from there before its own (n,b).
    std::vector<std::string> plantedDlls;
};

class Game {
public:
    explicit Game(const GameOptions& options = {});
    ~Game();  // quits (WM_CLOSE), and kills the process if it does not end
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    const std::string& dir() const { return dir_; }  // Windows path of the game folder
    std::string IniPath() const { return dir_ + "\\velquin.ini"; }
    DWORD pid() const { return info_.dwProcessId; }
    HANDLE process() const { return info_.hProcess; }

    // The visible main window, waited for; nullptr on time-out.
    // The first start in a session can take long on a loaded machine (seen: over 10 s).
    HWND WaitForMainWindow(int timeoutMs = 30000);
    HWND main() const { return main_; }

    // A top-level dialog (#32770) of this process whose caption is caption (CP932), waited for.
    HWND WaitForDialog(const char* caption, int timeoutMs = 5000) const;
    // Any visible top-level window of this process with class name className.
    HWND FindWindowOfClass(const char* className) const;

    // Menu and keypad commands: Send waits until the game has handled it (never for
    // commands that open a modal dialog: Post those and wait for the dialog).
    void Send(int commandId) const;
    void Post(int commandId) const;
    // Lets the game handle what is queued and repaint, so the screen shows its state.
    void Settle() const;
    // The game's thread runs the system's move loop (a tile is being dragged).
    bool InMoveLoop() const;

    // Real mouse click at a client point of window (main window when null).
    void ClickClient(int x, int y, HWND window = nullptr) const;

    // Ends the game with WM_CLOSE; true and the exit code when it ended in time.
    bool Quit(DWORD* exitCode = nullptr, int timeoutMs = 8000);
    bool Running() const;
    bool WaitForExit(DWORD* exitCode, int timeoutMs);

private:
    void Start(const GameOptions& options);
    std::string dir_;
    PROCESS_INFORMATION info_{};
    HWND main_ = nullptr;
    bool plantedDlls_ = false;
};

// Screen coordinates of a client point.
POINT ClientToScreenPoint(HWND window, int x, int y);

// Real mouse input: at the X server under Wine (x-mouse.py), by SendInput on Windows.
// Each returns once the cursor and the left button are as it set them.
void MouseMoveTo(int x, int y);
void MouseDown(int x, int y);
void MouseUp(int x, int y);
void Click(int x, int y);
// Presses at from, moves in steps to to, releases there.
void Drag(POINT from, POINT to, int steps = 10, int stepDelayMs = 15);

// Real key input to the foreground window: a virtual key going down or up, or a
// character typed as itself (VK_PACKET, as an input method hands over its result).
void KeyDown(WORD key);
void KeyUp(WORD key);
void TapKey(WORD key);
void TypeCharacter(wchar_t character);

// What the screen shows now (the whole virtual desktop).
struct Screenshot {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top-down
    COLORREF At(int x, int y) const;  // as GetPixel would report it
    bool Save(const std::string& name) const;  // PNG in ArtifactsDir(); name without extension
};
Screenshot CaptureScreen();

// "" when dialog is owned by owner (disabled while it is open) and centred on the
// desktop; else what is wrong.
std::string OwnedAndCentred(HWND dialog, HWND owner);

// Text of a window or dialog item, read as UTF-16 and given as CP932 whatever the
// system's code page.
std::string WindowText(HWND window);
std::string DialogItemText(HWND dialog, int id);
// Presses a button of a dialog the way a click would.
void ClickDialogButton(HWND dialog, int id);

// Windows that belong to a process: top-level windows and all their children.
int UserWindowCount(DWORD pid);

// Visits the top-level windows of a process until visit returns false.
void ForEachTopLevelWindow(DWORD pid, const std::function<bool(HWND)>& visit);

// Polls until predicate holds or the time is up.
template <typename Predicate>
bool WaitUntil(Predicate predicate, int timeoutMs = 5000, int stepMs = 10)
{
    for (int waited = 0;; waited += stepMs) {
        if (predicate())
            return true;
        if (waited >= timeoutMs)
            return false;
        Sleep(stepMs);
    }
}

} // namespace e2e
