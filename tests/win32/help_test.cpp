// The Help menu's window side: the one-point help and the About box driven from
// inside their own modal loops, and the paths beside the executable, including
// copies of this program run from folders at the edge of MAX_PATH.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "app/app.h"
#include "help/help.h"
#include "help/help_pages.h"
#include "resource.h"
#include "win/beside_exe.h"

namespace {

constexpr const char* OnePointCaption = "ワンポイントヘルプ";
constexpr const char* AboutCaption = "バージョン情報";

struct ModalDrive {
    const char* caption = nullptr;
    std::function<void(HWND)> script;
    bool ran = false;
};
ModalDrive Drive;

BOOL CALLBACK FindCaption(HWND window, LPARAM param)
{
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    if (std::string(text) != Drive.caption)
        return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

void CALLBACK DriveTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindCaption, reinterpret_cast<LPARAM>(&dialog));
    if (Drive.ran || !dialog)
        return;
    Drive.ran = true;
    Drive.script(dialog);
    // A failed script must not leave the modal loop running for ever.
    if (IsWindowVisible(dialog)) {
        ADD_FAILURE() << "the script left the dialog open";
        EndDialog(dialog, 0);
    }
}

// Runs show, which opens a modal dialog, and plays script on that dialog from
// inside the dialog's own message loop.
void DriveModal(void (*show)(), const char* caption, std::function<void(HWND)> script)
{
    Drive = {caption, std::move(script), false};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, DriveTimer);
    show();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(Drive.ran) << caption << " never appeared";
}

// What the dialog's own loop would do with the messages queued so far.
void PumpDialog(HWND dialog)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
}

std::string ItemText(HWND dialog, int id)
{
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// The shown text and both buttons against the state table's row for page.
void ExpectShowing(HWND dialog, int page, const char* when)
{
    const std::string expected = page == 0 ? HelpIntroduction : HelpPages[static_cast<size_t>(page - 1)].data();
    EXPECT_EQ(helpPage, page) << when;
    EXPECT_EQ(ItemText(dialog, IDC_HELP_TEXT), expected) << when;
    EXPECT_EQ(Enabled(dialog, IDC_HELP_BACK), page >= 2) << when << ": Back";
    EXPECT_EQ(Enabled(dialog, IDC_HELP_NEXT), page <= 4) << when << ": Next";
}

TEST(OnePointHelp, PagesForwardAndBackWithTheButtonsOfEachState)
{
    HFONT font = nullptr;
    DriveModal(ShowOnePointHelp, OnePointCaption, [&](HWND dialog) {
        ExpectShowing(dialog, 0, "on opening");
        for (int page = 1; page <= 5; ++page) {
            Click(dialog, IDC_HELP_NEXT);
            ExpectShowing(dialog, page, ("Next to " + std::to_string(page)).c_str());
        }
        SendMessageA(dialog, WM_COMMAND, IDC_HELP_NEXT, 0);  // as if posted past the disabled button
        ExpectShowing(dialog, 5, "Next command on page 5");
        for (int page = 4; page >= 1; --page) {
            Click(dialog, IDC_HELP_BACK);
            ExpectShowing(dialog, page, ("Back to " + std::to_string(page)).c_str());
        }
        font = HelpFont.get();
        Click(dialog, IDOK);
    });
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(HelpFont);
    EXPECT_EQ(GetObjectType(font), 0u) << "the font outlived the dialog";
}

TEST(OnePointHelp, EscapeClosesAndFreesTheFontAndTheNextOpeningStartsAtTheIntroduction)
{
    HFONT font = nullptr;
    DriveModal(ShowOnePointHelp, OnePointCaption, [&](HWND dialog) {
        for (int i = 0; i < 5; ++i)
            Click(dialog, IDC_HELP_NEXT);
        font = HelpFont.get();
        // Escape as the keyboard gives it: the dialog manager turns it into IDCANCEL.
        PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
        PumpDialog(dialog);
        EXPECT_FALSE(IsWindowVisible(dialog)) << "Escape left the dialog open";
    });
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetObjectType(font), 0u);
    DriveModal(ShowOnePointHelp, OnePointCaption, [](HWND dialog) {
        ExpectShowing(dialog, 0, "on opening again");
        Click(dialog, IDOK);
    });
}

TEST(OnePointHelp, TextFontAndWhiteBackground)
{
    DriveModal(ShowOnePointHelp, OnePointCaption, [](HWND dialog) {
        const HWND text = GetDlgItem(dialog, IDC_HELP_TEXT);
        ASSERT_TRUE(HelpFont);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(text, WM_GETFONT, 0, 0)), HelpFont.get());
        LOGFONTA font{};
        ASSERT_EQ(GetObjectA(HelpFont.get(), sizeof font, &font), static_cast<int>(sizeof font));
        EXPECT_EQ(font.lfHeight, 16);
        EXPECT_EQ(font.lfWeight, 600);
        EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
        EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
        EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");

        // The brush is the stock white one and the DC's colours stay as they were.
        const HDC dc = GetDC(text);
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        const LRESULT brush = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(WHITE_BRUSH));
        EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
        EXPECT_EQ(GetBkColor(dc), RGB(4, 5, 6));
        ReleaseDC(text, dc);
        Click(dialog, IDOK);
    });
}

TEST(AboutBox, EscapeLeavesItOpenAndOkClosesIt)
{
    DriveModal(ShowAboutDialog, AboutCaption, [](HWND dialog) {
        PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
        PumpDialog(dialog);
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Escape closed the About box";
        Click(dialog, IDOK);
        EXPECT_FALSE(IsWindowVisible(dialog)) << "OK left the About box open";
    });
}

std::string ExeDir()
{
    char path[MAX_PATH + 4] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    return dir.substr(0, dir.rfind('\\'));
}

TEST(HelpPath, BuiltFromTheExecutablesFolderNotTheWorkingDirectory)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(temp));
    char out[MAX_PATH];
    EXPECT_TRUE(GetPathBesideExe(out, WorkWindowHelpFileName));
    EXPECT_EQ(std::string(out), ExeDir() + "\\help\\workwindow.htm");
    EXPECT_TRUE(GetPathBesideExe(out, nullptr));
    EXPECT_EQ(std::string(out), ExeDir());
    SetCurrentDirectoryA(previous);
}

TEST(HelpPath, AJoinedPathOfMaxPathOrMoreIsRefused)
{
    const std::string dir = ExeDir();
    char out[MAX_PATH];
    // dir + '\' + name: 259 characters fit beside the terminating zero, 260 do not.
    const std::string fits(MAX_PATH - 2 - dir.size(), 'n');
    EXPECT_TRUE(GetPathBesideExe(out, fits.c_str()));
    EXPECT_EQ(std::string(out), dir + "\\" + fits);
    std::memset(out, 'x', sizeof out);
    EXPECT_FALSE(GetPathBesideExe(out, (fits + "n").c_str()));
    EXPECT_STREQ(out, "");
}

// Run only inside the copies that the next test starts: writes what this copy finds.
TEST(HelpPathProbe, WriteFindings)
{
    char report[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("VELQUIN_HELP_PROBE", report, MAX_PATH))
        GTEST_SKIP() << "only run by HelpPath.LongFolders";
    char dir[MAX_PATH], help[MAX_PATH];
    const bool dirFound = GetPathBesideExe(dir, nullptr);
    const bool helpFound = GetPathBesideExe(help, WorkWindowHelpFileName);
    if (FILE* file = std::fopen(report, "wb")) {
        std::fprintf(file, "%s|%s", dirFound ? dir : "-", helpFound ? help : "-");
        std::fclose(file);
    }
}

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                                                        static_cast<int>(wide.size())) - 1));
    return wide;
}

// A folder under base (which exists) whose full path is exactly length characters.
std::string FolderOfLength(const std::string& base, size_t length)
{
    std::string dir = base;
    while (dir.size() < length) {
        const size_t remaining = length - dir.size();
        size_t part = std::min<size_t>(remaining - 1, 120);
        if (remaining - 1 - part == 1)  // a lone character left over could not be a folder
            --part;
        dir += '\\';
        dir.append(part, 'd');
        CreateDirectoryW((L"\\\\?\\" + Wide(dir)).c_str(), nullptr);
    }
    return dir;
}

// Removes a folder with everything in it, however deep.
void RemoveTree(const std::wstring& dir)
{
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((L"\\\\?\\" + dir + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(dir + L"\\" + name);
            else
                DeleteFileW((L"\\\\?\\" + dir + L"\\" + name).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW((L"\\\\?\\" + dir).c_str());
}

bool StartProbe(const std::string& exe, const std::string& workingDir)
{
    std::wstring commandLine = L"\"" + Wide(exe) + L"\" --gtest_filter=HelpPathProbe.*";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                       Wide(workingDir).c_str(), &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        return true;
    }
    // Wine's CreateProcess takes no executable path of MAX_PATH or more, but its
    // loader does: start the copy through it, from the Unix side.
    const char* unixEnv = "Z:\\usr\\bin\\env";
    if (GetFileAttributesA(unixEnv) == INVALID_FILE_ATTRIBUTES)
        return false;
    commandLine = L"env wine " + commandLine;
    return CreateProcessW(Wide(unixEnv).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          Wide(workingDir).c_str(), &startup, &process) != FALSE;
}

// Copies this program to dir\v.exe, runs the probe there from another working
// directory and returns what it wrote: "folder|help file", "-" for a refusal.
std::string ProbeFrom(const std::string& dir, const std::string& workingDir)
{
    const std::string exe = dir + "\\v.exe";
    const std::string report = workingDir + "\\probe.txt";
    DeleteFileA(report.c_str());
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (!CopyFileW((L"\\\\?\\" + Wide(self)).c_str(), (L"\\\\?\\" + Wide(exe)).c_str(), FALSE))
        return "copy failed";
    SetEnvironmentVariableA("VELQUIN_HELP_PROBE", report.c_str());
    const bool started = StartProbe(exe, workingDir);
    SetEnvironmentVariableA("VELQUIN_HELP_PROBE", nullptr);
    if (!started)
        return "start failed";
    // A copy started through the Unix side cannot be waited for: wait for its report.
    std::string text;
    for (int waited = 0; text.empty() && waited < 30000; waited += 50) {
        if (FILE* file = std::fopen(report.c_str(), "rb")) {
            char buffer[1024] = {};
            text.assign(buffer, std::fread(buffer, 1, sizeof buffer - 1, file));
            std::fclose(file);
        }
        if (text.empty())
            Sleep(50);
    }
    return text;
}

TEST(HelpPath, LongFolders)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char unique[64];
    std::snprintf(unique, sizeof unique, "vh%lu", GetCurrentProcessId());
    const std::string root = std::string(temp) + unique;
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string elsewhere = root + "\\cwd";
    CreateDirectoryA(elsewhere.c_str(), nullptr);
    const std::string help = "\\help\\workwindow.htm";  // 19 characters after the folder

    struct Case {
        size_t dirLength;
        bool dirFits, helpFits;
    };
    const Case cases[] = {
        {0, true, true},                            // a short folder
        {MAX_PATH - 1 - help.size(), true, true},   // help path of 259
        {MAX_PATH - help.size(), true, false},      // help path of 260
        {MAX_PATH - 1 - 6, true, false},            // executable path of 259
        {MAX_PATH - 6, false, false},               // executable path of 260, cut short by the system
        {MAX_PATH + 30, false, false},
    };
    for (const Case& c : cases) {
        const std::string base = root + "\\" + std::to_string(c.dirLength);
        CreateDirectoryA(base.c_str(), nullptr);
        const std::string dir = c.dirLength ? FolderOfLength(base, c.dirLength) : base;
        ASSERT_EQ(dir.size(), c.dirLength ? c.dirLength : base.size());
        const std::string expected = (c.dirFits ? dir : "-") + "|" + (c.helpFits ? dir + help : "-");
        EXPECT_EQ(ProbeFrom(dir, elsewhere), expected) << "folder of " << c.dirLength << " characters";
    }
    RemoveTree(Wide(root));
}

} // namespace
