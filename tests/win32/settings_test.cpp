// The settings file and the first-run dialog, exercised in a copy of this test program
// that runs in a fresh folder of its own, started from another working directory: so
// "beside the executable" is a folder the test owns and the current directory is not it.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/effects.h"
#include "record/record.h"
#include "resource.h"
#include "settings/settings.h"
#include "win/beside_exe.h"

namespace {

constexpr const char* StepsVariable = "VELQUIN_SETTINGS_STEPS";
constexpr const char* ReportVariable = "VELQUIN_SETTINGS_REPORT";

std::string Environment(const char* name)
{
    char value[2048];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length && length < sizeof value ? value : "";
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFileBytes(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

FILETIME WriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

void RemoveTree(const std::string& dir)
{
    // Only ever a scratch folder of ours under the temp folder: an empty or other
    // path would make the shell delete in the current directory.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    if (dir.rfind(temp, 0) != 0 || dir.find("velquin-") == std::string::npos)
        return;
    std::string from = dir + '\0';  // the list ends with a second terminator
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

// How the child answers a settings dialog, and what it saw there.
struct DialogScript {
    bool ok = false;
    std::vector<int> tick;
    int shown = 0;
    std::string seen;
};
DialogScript Script;

BOOL CALLBACK FindThreadDialog(HWND window, LPARAM found)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// A thread timer: it fires inside the dialog's own modal loop.
void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindThreadDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    ++Script.shown;
    char seen[64];
    std::snprintf(seen, sizeof seen, " checks=%u,%u,%u startupEnabled=%d", IsDlgButtonChecked(dialog, IDC_SET_STARTUP),
                  IsDlgButtonChecked(dialog, IDC_SET_DESKTOP), IsDlgButtonChecked(dialog, IDC_SET_STARTMENU),
                  IsWindowEnabled(GetDlgItem(dialog, IDC_SET_STARTUP)) ? 1 : 0);
    Script.seen = seen;
    for (int id : Script.tick)
        SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(Script.ok ? IDOK : IDCANCEL, BN_CLICKED), 0);
}

// Reads the record dialog's texts into Script.seen, then closes it with Escape.
void CALLBACK ReadRecordDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindThreadDialog, reinterpret_cast<LPARAM>(&dialog));
    char text[64];
    for (int id = IDC_RECORD_PLAYED; dialog && id <= IDC_RECORD_LINE_BASE + RecordMaxGuesses; ++id) {
        GetDlgItemTextA(dialog, id, text, sizeof text);
        Script.seen += std::string(text) + '|';
    }
    if (dialog)
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Steps: "init" (a dialog, if one comes, is cancelled), "init:ok", "init:ok+1000+1001",
// "sound=N", "savesound", "load", "read:KEY" (section Config, default 42), "rm" (the
// file beside the copy), "report"; for the record "open", "end=K" (won in K guesses,
// 0 lost), "record" (the dialog's texts), "kill".
void RunStep(const std::string& step, std::ostringstream& report)
{
    const char* ini = AppInfo.settingsFileName;
    if (step.rfind("init", 0) == 0) {
        Script = {};
        Script.ok = step.rfind("init:ok", 0) == 0;
        for (size_t plus = step.find('+'); plus != std::string::npos; plus = step.find('+', plus + 1))
            Script.tick.push_back(std::atoi(step.c_str() + plus + 1));
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerDialog);
        InitSettings();
        KillTimer(nullptr, timer);
        report << "dialogs=" << Script.shown << Script.seen << ' ';
    } else if (step.rfind("sound=", 0) == 0) {
        SoundOn = std::atoi(step.c_str() + 6);
    } else if (step == "savesound") {
        SaveSoundSetting();
    } else if (step == "load") {
        report << "load=" << LoadShellLinkFlags(ini) << ' ';
    } else if (step.rfind("read:", 0) == 0) {
        report << step.substr(5) << '=' << ReadSettingInt("Config", step.c_str() + 5, 42, ini) << ' ';
    } else if (step == "rm") {
        char path[PathBufferSize];
        if (GetPathBesideExe(path, ini))
            DeleteFileA(path);
    } else if (step == "open") {
        RecordGameOpened();
    } else if (step.rfind("end=", 0) == 0) {
        RecordGameEnded(std::atoi(step.c_str() + 4));
    } else if (step == "kill") {
        TerminateProcess(GetCurrentProcess(), 0);
    } else if (step == "record") {
        Script = {};
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, ReadRecordDialog);
        ShowRecordDialog();
        KillTimer(nullptr, timer);
        report << Script.seen;
    } else if (step == "report") {
        report << "sound=" << SoundOn << " flags=" << ShellLinkFlags.startup << ',' << ShellLinkFlags.desktop << ','
               << ShellLinkFlags.startMenu << ' ';
    } else {
        report << "unknown step " << step << ' ';
    }
}

// Runs the real settings code in a copy of this program; one fresh folder per test.
class SettingsBesideExe : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int counter = 0;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        char name[64];
        std::snprintf(name, sizeof name, "velquin-settings-%lu-%d", GetCurrentProcessId(), counter++);
        root_ = std::string(temp) + name;
        gameDir_ = root_ + "\\game";
        elsewhere_ = root_ + "\\elsewhere";
        CreateDirectoryA(root_.c_str(), nullptr);
        CreateDirectoryA(gameDir_.c_str(), nullptr);
        CreateDirectoryA(elsewhere_.c_str(), nullptr);
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        exe_ = gameDir_ + "\\settings-copy.exe";
        ASSERT_TRUE(CopyFileA(self, exe_.c_str(), FALSE));
    }
    void TearDown() override { RemoveTree(root_); }

    // The child's report; empty when it did not finish cleanly.
    std::string Run(const std::string& steps) const
    {
        const std::string reportPath = root_ + "\\report.txt";
        DeleteFileA(reportPath.c_str());
        SetEnvironmentVariableA(StepsVariable, steps.c_str());
        SetEnvironmentVariableA(ReportVariable, reportPath.c_str());
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = nul;
        PROCESS_INFORMATION process{};
        std::string commandLine = "\"" + exe_ + "\" --gtest_filter=SettingsChild.RunSteps";
        const BOOL started = CreateProcessA(exe_.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                            elsewhere_.c_str(), &startup, &process);
        SetEnvironmentVariableA(StepsVariable, nullptr);
        SetEnvironmentVariableA(ReportVariable, nullptr);
        CloseHandle(nul);
        if (!started)
            return "";
        DWORD code = 1;
        if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 99);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        const std::string report = ReadFileBytes(reportPath);
        return code == 0 && report != "<missing>" ? report : "";
    }

    std::string IniPath() const { return gameDir_ + "\\velquin.ini"; }
    std::string Ini() const { return ReadFileBytes(IniPath()); }
    void WriteIni(const std::string& text) const { WriteFileBytes(IniPath(), text); }

    std::string root_, gameDir_, elsewhere_, exe_;
};

constexpr const char* NoDialog = "dialogs=0 ";
constexpr const char* FreshDialog = "dialogs=1 checks=0,0,0 startupEnabled=0 ";

} // namespace

TEST(SettingsChild, RunSteps)
{
    const std::string steps = Environment(StepsVariable);
    if (steps.empty())
        GTEST_SKIP() << "runs only inside the copy that the SettingsBesideExe tests start";
    std::ostringstream report;
    std::istringstream tokens(steps);
    for (std::string step; tokens >> step;)
        RunStep(step, report);
    WriteFileBytes(Environment(ReportVariable), report.str());
}

TEST(SettingsPath, JoinsTheExecutablesDirectoryAndRefusesWhatWouldNotFit)
{
    char out[PathBufferSize];
    ASSERT_TRUE(JoinBesideExe("C:\\games\\Velquin.exe", 20, "velquin.ini", out));
    EXPECT_STREQ(out, "C:\\games\\velquin.ini");
    ASSERT_TRUE(JoinBesideExe("C:\\Velquin.exe", 14, "velquin.ini", out));
    EXPECT_STREQ(out, "C:\\velquin.ini");

    // GetModuleFileNameA reports a cut path as MAX_PATH; the cut path names a parent folder.
    const std::string cut = "C:\\" + std::string(MAX_PATH - 4, 'd');
    ASSERT_EQ(cut.size(), MAX_PATH - 1u);
    std::memset(out, 'x', sizeof out);
    EXPECT_FALSE(JoinBesideExe(cut.c_str(), MAX_PATH, "velquin.ini", out));
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(JoinBesideExe("", 0, "velquin.ini", out));
    // A bare name would be found in the Windows directory.
    EXPECT_FALSE(JoinBesideExe("Velquin.exe", 11, "velquin.ini", out));

    // The joined path must keep its terminator within MAX_PATH.
    for (size_t dirLength : {240u, 246u, 247u, 248u, 255u}) {
        const std::string dir = "C:\\" + std::string(dirLength - 3, 'g');
        const std::string exe = dir + "\\V.exe";
        if (exe.size() >= MAX_PATH)
            continue;
        const bool fits = dirLength + 1 + std::strlen("velquin.ini") < MAX_PATH;
        EXPECT_EQ(JoinBesideExe(exe.c_str(), static_cast<DWORD>(exe.size()), "velquin.ini", out), fits)
            << "directory of " << dirLength;
        EXPECT_EQ(std::strlen(out), fits ? dirLength + 12 : 0u) << "directory of " << dirLength;
    }
}

TEST_F(SettingsBesideExe, CancelledFirstRunWritesOnlyTheSoundAndIsNotAskedAgain)
{
    // A settings file in the working directory must play no part.
    const std::string decoy = "[Config]\r\nSOUND=7\r\n";
    WriteFileBytes(elsewhere_ + "\\velquin.ini", decoy);

    EXPECT_EQ(Run("init report savesound"), std::string(FreshDialog) + "sound=0 flags=0,0,0 ");
    EXPECT_EQ(Ini(), "[Config]\r\nSOUND=0\r\n");
    EXPECT_EQ(Run("init report"), std::string(NoDialog) + "sound=0 flags=100,100,100 ");
    EXPECT_EQ(ReadFileBytes(elsewhere_ + "\\velquin.ini"), decoy);
}

TEST_F(SettingsBesideExe, OkWritesTheShellLinkKeysBeforeConfig)
{
    const std::string desktopLink = SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Velquin.lnk";
    const std::string programsLink = SpecialFolder(CSIDL_PROGRAMS) + "\\Velquin.lnk";
    const std::string startupLink = SpecialFolder(CSIDL_STARTUP) + "\\Velquin.lnk";
    ASSERT_NE(desktopLink.find("velquin-shell"), std::string::npos) << "the shell folders are not redirected";
    ASSERT_NE(programsLink.find("velquin-shell"), std::string::npos);
    DeleteFileA(desktopLink.c_str());
    DeleteFileA(programsLink.c_str());

    // Nothing ticked: no shortcut, yet the file exists from now on.
    EXPECT_EQ(Run("init:ok report"), std::string(FreshDialog) + "sound=0 flags=0,0,0 ");
    EXPECT_EQ(Ini(), "[ShellLink]\r\nSTARTUP=0\r\nDESKTOP=0\r\nSTARTMENU=0\r\n");
    EXPECT_EQ(GetFileAttributesA(desktopLink.c_str()), INVALID_FILE_ATTRIBUTES);

    DeleteFileA(IniPath().c_str());
    EXPECT_EQ(Run("init:ok+1000+1001 report sound=1 savesound"), std::string(FreshDialog) + "sound=0 flags=0,1,1 ");
    EXPECT_EQ(Ini(), "[ShellLink]\r\nSTARTUP=0\r\nDESKTOP=1\r\nSTARTMENU=1\r\n[Config]\r\nSOUND=1\r\n");
    ASSERT_NE(GetFileAttributesA(desktopLink.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_NE(GetFileAttributesA(programsLink.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(startupLink.c_str()), INVALID_FILE_ATTRIBUTES);
    const FILETIME desktopTime = WriteTime(desktopLink), programsTime = WriteTime(programsLink);
    EXPECT_LT(CompareFileTime(&desktopTime, &programsTime), 0) << "the desktop link comes first";

    // Unticked boxes never take a shortcut away.
    DeleteFileA(IniPath().c_str());
    EXPECT_EQ(Run("init:ok"), FreshDialog);
    EXPECT_NE(GetFileAttributesA(desktopLink.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA(programsLink.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(desktopLink.c_str());
    DeleteFileA(programsLink.c_str());
}

TEST_F(SettingsBesideExe, ExistingFileIsReadNotAskedForAndWrittenBackAsRead)
{
    WriteIni("");
    EXPECT_EQ(Run("init report"), std::string(NoDialog) + "sound=1 flags=100,100,100 ");

    // 2 is not "on" for the effects, but it is what goes back into the file.
    WriteIni("[Config]\r\nSOUND = 2\r\n");
    EXPECT_EQ(Run("init report rm savesound"), std::string(NoDialog) + "sound=2 flags=100,100,100 ");
    EXPECT_EQ(Ini(), "[Config]\r\nSOUND=2\r\n");

    // New game saves before it reads again, so a toggle survives it.
    WriteIni("[ShellLink]\r\nDESKTOP=1\r\n[Config]\r\nSOUND=1\r\n");
    EXPECT_EQ(Run("init sound=0 savesound init report load"), std::string(NoDialog) + NoDialog +
                                                                  "sound=0 flags=100,1,100 load=0 ");
    EXPECT_EQ(Ini(), "[ShellLink]\r\nDESKTOP=1\r\n[Config]\r\nSOUND=0\r\n");
    WriteIni("[Config]\r\nSOUND=1\r\n");
    EXPECT_EQ(Run("load"), "load=100 ");
}

TEST_F(SettingsBesideExe, OddValuesAreTakenAsTheSystemReadsThem)
{
    WriteIni("[Config]\r\nA=abc\r\nB=-5\r\nC= 7\r\nD=\t8 \r\nE=99999999999\r\nF=2147483648\r\n"
             "G=12abc\r\nH=+3\r\nI=\r\n");
    EXPECT_EQ(Run("read:A read:B read:C read:D read:E read:F read:G read:H read:I read:MISSING"),
              "A=0 B=-5 C=7 D=8 E=1215752191 F=-2147483648 G=12 H=3 I=42 MISSING=42 ");
}

TEST_F(SettingsBesideExe, RecordIsWrittenAsTheGameGoesAndAKilledGameCountsLostAtTheNextStart)
{
    WriteIni("[Config]\r\nSOUND=1\r\n");
    EXPECT_EQ(Run("open end=3 open end=4 open kill"), "");
    EXPECT_EQ(Ini(), "[Config]\r\nSOUND=1\r\n[Record]\r\nPlayed=2\r\nWon=2\r\nStreak=2\r\nBestStreak=2\r\nWin1=0\r\n"
                     "Win2=0\r\nWin3=1\r\nWin4=1\r\nWin5=0\r\nWin6=0\r\nWin7=0\r\nWin8=0\r\nWin9=0\r\nWin10=0\r\nOpen=3\r\n");
    EXPECT_EQ(Run("record"), "プレイ回数 3|勝ち 2|勝率 66%|現在の連勝 0|最長連勝 2|平均 3.5 回|1回 0|2回 0|3回 1|4回 1|"
                             "5回 0|6回 0|7回 0|8回 0|9回 0|10回 0|");
    EXPECT_NE(Ini().find("Played=3\r\nWon=2\r\nStreak=0\r\n"), std::string::npos) << Ini();
    EXPECT_NE(Ini().find("Open=0\r\n"), std::string::npos) << "counted once";
}

TEST_F(SettingsBesideExe, AFolderTooDeepForTheFileNeitherAsksNorWritesAnywhere)
{
    // 248 characters, the most a folder may have: the program's path still fits, the
    // settings file's (248 + "\velquin.ini" + terminator = 261) does not.
    std::string parent, deep = gameDir_;
    while (deep.size() < 248) {
        parent = deep;
        // Never leave room for a lone backslash: the last name gets at least one letter.
        const size_t left = 248 - deep.size() - 1;
        deep += '\\';
        deep.append(left > 61 ? std::min<size_t>(60, left - 2) : left, 'd');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    }
    ASSERT_EQ(deep.size(), 248u);
    const std::string deepExe = deep + "\\s.exe";
    ASSERT_TRUE(CopyFileA(exe_.c_str(), deepExe.c_str(), FALSE));
    exe_ = deepExe;

    // Asking would be in vain: no answer could be kept, so it would come back at every New game.
    EXPECT_EQ(Run("init report sound=1 savesound"), std::string(NoDialog) + "sound=0 flags=0,0,0 ");
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    for (const std::string& dir : {deep, parent, elsewhere_, std::string(windows)})
        EXPECT_EQ(GetFileAttributesA((dir + "\\velquin.ini").c_str()), INVALID_FILE_ATTRIBUTES) << dir;
}
