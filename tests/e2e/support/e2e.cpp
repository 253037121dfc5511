// Before e2e.h: windows.h brings the older winsock.h unless winsock2.h came first.
#include <winsock2.h>

#include "e2e.h"

#include <winternl.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "png.h"

namespace e2e {
namespace {

// Wine's DLL settings for the game alone.
constexpr const char* PlantedDllOverrides = "Software\\Wine\\AppDefaults\\Velquin.exe\\DllOverrides";

std::string EnvPath(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return ToWindowsPath(value && *value ? value : fallback);
}

void CopyFolderFiles(const std::string& from, const std::string& to)
{
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((from + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileA((from + "\\" + found.cFileName).c_str(), (to + "\\" + found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

HWND FindTop(DWORD pid, const char* className, const char* caption, bool visibleOnly)
{
    HWND found = nullptr;
    ForEachTopLevelWindow(pid, [&](HWND window) {
        if (visibleOnly && !IsWindowVisible(window))
            return true;
        char cls[64] = {};
        GetClassNameA(window, cls, sizeof cls);
        if (std::string(cls) != className || (caption && WindowText(window) != caption))
            return true;
        found = window;
        return false;
    });
    return found;
}

// Under Wine the mouse moves at the X server, as a player's mouse moves it there: the
// session's X mouse (x-mouse.py) does it, at the port in VELQUIN_X_MOUSE. SendInput
// from this process would also warp the X pointer, and the motion event of that warp
// goes to whichever process owns the window under it, which may take it after later
// input: the cursor jumps back to an older point (a drag's last step undone, a tip
// shown where the mouse has left). On Windows, SendInput.
SOCKET XMouse()
{
    static const SOCKET mouse = [] {
        const char* const port = std::getenv("VELQUIN_X_MOUSE");
        WSADATA data;
        if (!port || !*port || WSAStartup(MAKEWORD(2, 2), &data) != 0)
            return INVALID_SOCKET;
        const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<u_short>(std::atoi(port)));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (s == INVALID_SOCKET || connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            std::fprintf(stderr, "e2e: no X mouse at port %s\n", port);
            std::exit(2);
        }
        return s;
    }();
    return mouse;
}

// Sends one line to the X mouse and waits for its answer: the X server has done it.
void XMouseDoes(const std::string& command)
{
    const std::string line = command + "\n";
    char answer[3] = {};
    int got = send(XMouse(), line.data(), static_cast<int>(line.size()), 0) == static_cast<int>(line.size()) ? 0 : -1;
    while (got >= 0 && got < 3) {
        const int n = recv(XMouse(), answer + got, 3 - got, 0);
        got = n > 0 ? got + n : -1;
    }
    if (std::string(answer, 3) != "ok\n") {
        std::fprintf(stderr, "e2e: the X mouse did not do \"%s\"\n", command.c_str());
        std::exit(2);
    }
}

void SendMouse(int x, int y, DWORD flags)
{
    if (XMouse() != INVALID_SOCKET) {
        const bool down = (flags & MOUSEEVENTF_LEFTDOWN) || (!(flags & MOUSEEVENTF_LEFTUP) && GetAsyncKeyState(VK_LBUTTON) < 0);
        const bool button = flags & (MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
        XMouseDoes("move " + std::to_string(x) + " " + std::to_string(y) + (!button ? "" : down ? " down" : " up"));
        // Then Wine has it: the cursor there, the button as it was set.
        WaitUntil([&] {
            POINT at;
            return GetCursorPos(&at) && at.x == x && at.y == y && (GetAsyncKeyState(VK_LBUTTON) < 0) == down;
        }, 5000, 2);
        return;
    }
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

void SendKey(WORD key, WORD scan, DWORD flags)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = scan;
    in.ki.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

} // namespace

std::string ToWindowsPath(const std::string& linuxPath)
{
    if (linuxPath.size() > 1 && linuxPath[1] == ':')
        return linuxPath;
    std::string out = "Z:" + linuxPath;
    for (char& c : out)
        if (c == '/')
            c = '\\';
    return out;
}

std::string BuiltGameDir()
{
    return EnvPath("VELQUIN_GAME_DIR", "/work/main/build/win32/game");
}

std::string ArtifactsDir()
{
    const std::string dir = EnvPath("VELQUIN_ARTIFACTS", "/tmp/velquin-artifacts");
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

std::string ScratchDir()
{
    static std::atomic<int> counter{0};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "velquin-e2e";
    CreateDirectoryA(root.c_str(), nullptr);
    // Wine reuses process ids across sessions: a folder that already exists holds an
    // earlier run's files (a velquin.ini would turn a first start into a normal one).
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "\\%lu-%d-%lu", GetCurrentProcessId(), counter++, GetTickCount());
        const std::string dir = root + name;
        if (CreateDirectoryA(dir.c_str(), nullptr))
            return dir;
    }
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WriteFileText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

Game::Game(const GameOptions& options)
    : dir_(options.runInPlace.empty() ? ScratchDir() + "\\game" : options.runInPlace)
{
    if (!options.runInPlace.empty()) {
        Start(options);
        return;
    }
    const std::string built = BuiltGameDir();
    CreateDirectoryA(dir_.c_str(), nullptr);
    CopyFileA((built + "\\Velquin.exe").c_str(), (dir_ + "\\Velquin.exe").c_str(), FALSE);
    if (options.withSoundsAndHelp) {
        CopyFolderFiles(built, dir_);
        CopyFolderFiles(built + "\\help", dir_ + "\\help");
    }
    if (options.ini)
        WriteFileText(IniPath(), options.ini);
    if (!options.plantedDlls.empty()) {
        char tests[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, tests, MAX_PATH);
        const std::string planted = std::string(tests, std::strrchr(tests, '\\')) + "\\planted.dll";
        // As WINEDLLOVERRIDES=name=n,b would, which Wine takes from the session, not the parent.
        HKEY overrides = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, PlantedDllOverrides, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &overrides, nullptr);
        for (const std::string& name : options.plantedDlls) {
            CopyFileA(planted.c_str(), (dir_ + "\\" + name + ".dll").c_str(), FALSE);
            RegSetValueExA(overrides, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("n,b"), 4);
        }
        RegCloseKey(overrides);
        plantedDlls_ = true;
    }
    Start(options);
}

void Game::Start(const GameOptions& options)
{
    const std::string exe = dir_ + "\\Velquin.exe";
    const std::string cwd = options.workingDir.empty() ? dir_ : options.workingDir;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd.c_str(), &startup,
                   &info_);
}

Game::~Game()
{
    if (Running() && !Quit()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    if (plantedDlls_)
        RegDeleteKeyA(HKEY_CURRENT_USER, PlantedDllOverrides);
    if (info_.hProcess) {
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

HWND Game::WaitForMainWindow(int timeoutMs)
{
    WaitUntil([&] { return (main_ = FindTop(pid(), "Parent Window", nullptr, true)) != nullptr; }, timeoutMs);
    if (main_)
        Settle();
    return main_;
}

HWND Game::WaitForDialog(const char* caption, int timeoutMs) const
{
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindTop(pid(), "#32770", caption, true)) != nullptr; }, timeoutMs);
    if (dialog)
        Sleep(50);  // let WM_INITDIALOG's work reach the screen
    return dialog;
}

HWND Game::FindWindowOfClass(const char* className) const
{
    return FindTop(pid(), className, nullptr, true);
}

void Game::Send(int commandId) const
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(main_, WM_COMMAND, static_cast<WPARAM>(commandId), 0, SMTO_NORMAL, 10000, &result);
}

void Game::Post(int commandId) const
{
    PostMessageA(main_, WM_COMMAND, static_cast<WPARAM>(commandId), 0);
}

std::string OwnedAndCentred(HWND dialog, HWND owner)
{
    std::string wrong = GetWindow(dialog, GW_OWNER) == owner ? "" : "not owned by the main window; ";
    RECT r;
    GetWindowRect(dialog, &r);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    if (r.left != x || r.top != y)
        wrong += "at " + std::to_string(r.left) + "," + std::to_string(r.top) + ", not centred at " +
                 std::to_string(x) + "," + std::to_string(y);
    return wrong;
}

void Game::Settle() const
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    UpdateWindow(main_);
    SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    Sleep(60);
}

bool Game::InMoveLoop() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(info_.dwThreadId, &info) && (info.flags & GUI_INMOVESIZE) != 0;
}

void Game::ClickClient(int x, int y, HWND window) const
{
    const POINT p = ClientToScreenPoint(window ? window : main_, x, y);
    Click(p.x, p.y);
}

bool Game::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Game::WaitForExit(DWORD* exitCode, int timeoutMs)
{
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
}

bool Game::Quit(DWORD* exitCode, int timeoutMs)
{
    HWND window = main_ ? main_ : FindTop(pid(), "Parent Window", nullptr, false);
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForExit(exitCode, timeoutMs);
}

POINT ClientToScreenPoint(HWND window, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

void MouseMoveTo(int x, int y)
{
    SendMouse(x, y, 0);
}

void MouseDown(int x, int y)
{
    MouseMoveTo(x, y);
    Sleep(50);
    SendMouse(x, y, MOUSEEVENTF_LEFTDOWN);
}

void MouseUp(int x, int y)
{
    SendMouse(x, y, MOUSEEVENTF_LEFTUP);
}

void Click(int x, int y)
{
    MouseDown(x, y);
    Sleep(30);
    MouseUp(x, y);
    Sleep(30);
}

void Drag(POINT from, POINT to, int steps, int stepDelayMs)
{
    MouseDown(from.x, from.y);
    Sleep(100);
    for (int i = 1; i <= steps; ++i) {
        const int x = from.x + (to.x - from.x) * i / steps;
        const int y = from.y + (to.y - from.y) * i / steps;
        SendMouse(x, y, 0);
        Sleep(stepDelayMs);
    }
    MouseMoveTo(to.x, to.y);
    Sleep(80);
    MouseUp(to.x, to.y);
    Sleep(150);
}

void KeyDown(WORD key)
{
    SendKey(key, 0, 0);
}

void KeyUp(WORD key)
{
    SendKey(key, 0, KEYEVENTF_KEYUP);
}

void TapKey(WORD key)
{
    KeyDown(key);
    KeyUp(key);
}

void TypeCharacter(wchar_t character)
{
    SendKey(0, character, KEYEVENTF_UNICODE);
    SendKey(0, character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
}

COLORREF Screenshot::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Screenshot::Save(const std::string& name) const
{
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        rgb[i * 3] = static_cast<uint8_t>(pixels[i] >> 16);
        rgb[i * 3 + 1] = static_cast<uint8_t>(pixels[i] >> 8);
        rgb[i * 3 + 2] = static_cast<uint8_t>(pixels[i]);
    }
    return WritePng(ArtifactsDir() + "\\" + name + ".png", width, height, rgb);
}

Screenshot CaptureScreen()
{
    Screenshot shot;
    shot.width = GetSystemMetrics(SM_CXSCREEN);
    shot.height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = shot.width;
    bi.bmiHeader.biHeight = -shot.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* src = static_cast<const uint32_t*>(bits);
    shot.pixels.assign(src, src + static_cast<size_t>(shot.width) * shot.height);
    for (auto& p : shot.pixels)
        p &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

std::string WindowText(HWND window)
{
    // Read as UTF-16, the way the screen and a screen reader get it, so that the
    // same CP932 literals compare on a system of any code page.
    wchar_t wide[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL, 5000, &length);
    char text[1024] = {};
    WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::string DialogItemText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

void ClickDialogButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

namespace {

struct Visit {
    DWORD pid;
    const std::function<bool(HWND)>* visit;
};

BOOL CALLBACK VisitTop(HWND window, LPARAM param)
{
    const auto* v = reinterpret_cast<const Visit*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid != v->pid || (*v->visit)(window) ? TRUE : FALSE;
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

} // namespace

void ForEachTopLevelWindow(DWORD pid, const std::function<bool(HWND)>& visit)
{
    Visit v{pid, &visit};
    EnumWindows(VisitTop, reinterpret_cast<LPARAM>(&v));
}

int UserWindowCount(DWORD pid)
{
    int count = 0;
    ForEachTopLevelWindow(pid, [&](HWND window) {
        ++count;
        EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
        return true;
    });
    return count;
}

} // namespace e2e
