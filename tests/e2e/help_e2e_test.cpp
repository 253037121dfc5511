// The Help menu of the real game: the help files and the home page reach the
// shell's "open" verb, the About box, and the one-point help leafed with the mouse;
// and no DLL planted beside the game is loaded on the way to the help.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e.h"
#include "resource.h"

using namespace e2e;

namespace {

// Points the "open" verb of .htm files and of http and https addresses at cmd's
// echo into a file, and puts the previous registrations back afterwards.
// Wine 8 reads classes only from HKEY_CLASSES_ROOT (the prefix's machine classes):
// a registration under HKCU\Software\Classes leaves ShellExecute with
// SE_ERR_NOASSOC, so the recorder goes there.
class OpenVerbRecorder {
public:
    OpenVerbRecorder() : file_(ScratchDir() + "\\opened.txt")
    {
        char system[MAX_PATH];
        GetSystemDirectoryA(system, MAX_PATH);
        const std::string command = std::string(system) + "\\cmd.exe /c echo [%1]> \"" + file_ + "\"";
        Set(".htm", ProgId);
        Set(std::string(ProgId) + "\\shell\\open\\command", command);
        Set("http\\shell\\open\\command", command);
        Set("https\\shell\\open\\command", command);
    }
    ~OpenVerbRecorder()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            HKEY key;
            if (it->hadValue && RegOpenKeyExA(HKEY_CLASSES_ROOT, it->key.c_str(), 0, KEY_SET_VALUE, &key) == 0) {
                RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(it->value.c_str()),
                               static_cast<DWORD>(it->value.size() + 1));
                RegCloseKey(key);
            }
            for (auto created = it->createdKeys.rbegin(); created != it->createdKeys.rend(); ++created)
                RegDeleteKeyA(HKEY_CLASSES_ROOT, created->c_str());
        }
        DeleteFileA(file_.c_str());
    }
    OpenVerbRecorder(const OpenVerbRecorder&) = delete;
    OpenVerbRecorder& operator=(const OpenVerbRecorder&) = delete;

    void Clear() const { DeleteFileA(file_.c_str()); }
    // What the handler was given as %1, waited for; "" when nothing was opened.
    std::string Opened(int timeoutMs = 5000) const
    {
        std::string text;
        WaitUntil([&] { return (text = ReadFileText(file_)).find("]\r\n") != std::string::npos; }, timeoutMs, 50);
        const size_t open = text.find('['), close = text.rfind(']');
        return open == std::string::npos || close == std::string::npos ? "" : text.substr(open + 1, close - open - 1);
    }

private:
    static constexpr const char* ProgId = "VelquinTest.OpenRecorder";
    struct Saved {
        std::string key;
        bool hadValue = false;
        std::string value;
        std::vector<std::string> createdKeys;  // outermost first
    };

    void Set(const std::string& path, const std::string& value)
    {
        Saved saved;
        saved.key = path;
        std::string partial;
        HKEY key = nullptr;
        for (size_t start = 0; start <= path.size();) {
            size_t end = path.find('\\', start);
            if (end == std::string::npos)
                end = path.size();
            partial = path.substr(0, end);
            DWORD disposition = 0;
            if (key)
                RegCloseKey(key);
            if (RegCreateKeyExA(HKEY_CLASSES_ROOT, partial.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                &disposition) != 0) {
                ADD_FAILURE() << "cannot create HKCR\\" << partial;
                return;
            }
            if (disposition == REG_CREATED_NEW_KEY)
                saved.createdKeys.push_back(partial);
            start = end + 1;
        }
        char old[1024] = {};
        DWORD size = sizeof old - 1, type = 0;
        if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == 0 &&
            type == REG_SZ) {
            saved.hadValue = true;
            saved.value = old;
        }
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
        saved_.push_back(std::move(saved));
    }

    std::string file_;
    std::vector<Saved> saved_;
};

TEST(Help, MenuOpensHelpFilesBesideTheExecutableAndTheHomePageFromAnotherWorkingDirectory)
{
    const OpenVerbRecorder recorder;
    GameOptions options;
    options.workingDir = ScratchDir();
    Game game(options);
    ASSERT_NE(game.WaitForMainWindow(), nullptr);

    struct Case {
        int command;
        std::string opened;
    };
    const Case cases[] = {
        {IDM_HELPFILE, game.dir() + "\\help\\VelquinandDorrimat.htm"},
        {IDM_WORKWINDOW_HELP, game.dir() + "\\help\\workwindow.htm"},
        {IDM_HOMEPAGE, "https://velquin.example/"},
    };
    for (const Case& c : cases) {
        recorder.Clear();
        game.Send(c.command);
        EXPECT_EQ(recorder.Opened(), c.opened) << "command " << c.command;
    }
    EXPECT_TRUE(IsWindowEnabled(game.main()));
}

TEST(Help, AMissingHelpFileOpensNothingAndTheGameCarriesOn)
{
    const OpenVerbRecorder recorder;
    GameOptions options;
    options.withSoundsAndHelp = false;
    Game game(options);
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    game.Send(IDM_HELPFILE);
    EXPECT_EQ(recorder.Opened(1500), "");
    EXPECT_EQ(game.FindWindowOfClass("#32770"), nullptr) << "a failure was reported";
    EXPECT_TRUE(game.Running());
    EXPECT_TRUE(IsWindowEnabled(game.main()));
}

struct DialogChildren {
    std::vector<std::string> texts;
    HICON icon = nullptr;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM param)
{
    auto* found = reinterpret_cast<DialogChildren*>(param);
    found->texts.push_back(WindowText(child));
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        found->icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    return TRUE;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    for (const std::string& t : texts)
        if (t == text)
            return true;
    return false;
}

TEST(Help, AboutBoxShowsIconNameVersionAndAuthorAndClosesOnlyWithOk)
{
    Game game;
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    game.Post(IDM_ABOUT);
    const HWND about = game.WaitForDialog("バージョン情報");
    ASSERT_NE(about, nullptr);
    DialogChildren children;
    EnumChildWindows(about, CollectChild, reinterpret_cast<LPARAM>(&children));
    EXPECT_TRUE(Contains(children.texts, "Velquin"));
    EXPECT_TRUE(Contains(children.texts, "バージョン 1.3a"));
    EXPECT_TRUE(Contains(children.texts, "by Mirelo"));
    EXPECT_NE(children.icon, nullptr);
    EXPECT_FALSE(IsWindowEnabled(game.main()));
    EXPECT_EQ(OwnedAndCentred(about, game.main()), "");
    CaptureScreen().Save("help-about");

    SetForegroundWindow(about);
    TapKey(VK_ESCAPE);
    PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(about)) << "Escape closed the About box";

    RECT ok;
    GetWindowRect(GetDlgItem(about, IDOK), &ok);
    Click((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 3000)) << "OK left the About box open";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(game.main()) != FALSE; }, 3000));
}

const char* const Introduction =
    "簡単に遊び方を説明します。詳しい説明はヘルプファイルをご覧下さい。\n\n次へを押してください。";
const char* const Pages[] = {
    "コンピュータが作った４ 桁の数字を当てるゲームです。",
    "４ つの数は １ ～ ９ で ０ は含みません。\nまた、重複もしません。",
    "適当な数を入力し、ＧＯ ボタンを押します。４ 桁のうち、数字と桁が共に一致するとストライク、数字のみが一致すると"
    "ボールと判定されます。",
    "たとえば、正解が １２３４ の場合、１５６３ と入力すると、１ は桁、数字ともあっているので、１ ストライクとなり、"
    "３ は数字のみ一致しているので、１ ボールとなります。",
    "前の結果を参考に、答えを見つけてください。\n作業用ウィンドウを使うと便利です。\nチャレンジは １０ 回までです。",
};

// Waits for page's text and the buttons of its state, then checks each.
void ExpectShowing(HWND dialog, int page)
{
    const std::string text = page == 0 ? Introduction : Pages[page - 1];
    const bool back = page >= 2, next = page <= 4;
    auto enabled = [&](int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; };
    WaitUntil([&] {
        return DialogItemText(dialog, IDC_HELP_TEXT) == text && enabled(IDC_HELP_BACK) == back &&
               enabled(IDC_HELP_NEXT) == next;
    }, 3000);
    EXPECT_EQ(DialogItemText(dialog, IDC_HELP_TEXT), text) << "page " << page;
    EXPECT_EQ(enabled(IDC_HELP_BACK), back) << "Back on page " << page;
    EXPECT_EQ(enabled(IDC_HELP_NEXT), next) << "Next on page " << page;
}

void ClickButton(HWND dialog, int id)
{
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

TEST(Help, OnePointHelpLeafsToPageFiveAndBackAndClosesWithOkOrEscape)
{
    Game game;
    ASSERT_NE(game.WaitForMainWindow(), nullptr);

    game.Post(IDM_ONEPOINT);
    HWND help = game.WaitForDialog("ワンポイントヘルプ");
    ASSERT_NE(help, nullptr);
    ExpectShowing(help, 0);
    EXPECT_EQ(OwnedAndCentred(help, game.main()), "");
    CaptureScreen().Save("help-onepoint-0");
    for (int page = 1; page <= 5; ++page) {
        ClickButton(help, IDC_HELP_NEXT);
        ExpectShowing(help, page);
        std::string name = "help-onepoint-";
        name += static_cast<char>('0' + page);
        CaptureScreen().Save(name);
    }
    // A click on the disabled Next changes nothing.
    ClickButton(help, IDC_HELP_NEXT);
    Sleep(200);
    ExpectShowing(help, 5);
    for (int page = 4; page >= 1; --page) {
        ClickButton(help, IDC_HELP_BACK);
        ExpectShowing(help, page);
    }
    ClickButton(help, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(help); }, 3000)) << "OK left the dialog open";
    TapKey(VK_ESCAPE);  // Clear, on the main window: with the input method off Wine makes objects at a first key
    game.Settle();
    // The first opening and key fill the system's caches; after it, every opening must
    // give back all it made, the help font above all, however it is closed.
    const int gdiAfterFirst = GdiObjectCount(game.process());

    for (const bool withEscape : {true, false}) {
        game.Post(IDM_ONEPOINT);
        help = game.WaitForDialog("ワンポイントヘルプ");
        ASSERT_NE(help, nullptr);
        ExpectShowing(help, 0);
        ClickButton(help, IDC_HELP_NEXT);
        ExpectShowing(help, 1);
        if (withEscape) {
            SetForegroundWindow(help);
            TapKey(VK_ESCAPE);
        } else {
            ClickButton(help, IDOK);
        }
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(help); }, 3000)) << (withEscape ? "Escape" : "OK");
        game.Settle();
        EXPECT_EQ(GdiObjectCount(game.process()), gdiAfterFirst) << (withEscape ? "closed with Escape" : "closed with OK");
    }
}

} // namespace

// DLLs named like the system's, dropped beside the game (a zip unpacked in a downloads
// folder) and preferred by Wine, as Windows looks there first, are never loaded. Not
// imm32 or version: Wine's own user32 loads them by bare name as it starts, before the
// game's first instruction (Windows' user32 takes imm32 by its system path).
TEST(Help, NoDllPlantedBesideTheGameIsLoadedOnTheWayToTheHelp)
{
    const OpenVerbRecorder recorder;
    GameOptions options;
    options.ini = nullptr;
    options.plantedDlls = {"comctl32", "uxtheme", "winmm"};
    Game game(options);
    const HWND settings = game.WaitForDialog("設定", 15000);
    ASSERT_NE(settings, nullptr) << "the game did not start";
    ClickDialogButton(settings, IDCANCEL);
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    game.Send(IDM_SOUND_ON);
    game.Send(IDC_DIGIT_BASE);
    game.Send(IDM_HELPFILE);
    EXPECT_NE(recorder.Opened(), "");
    DWORD code = 1;
    ASSERT_TRUE(game.Quit(&code));
    EXPECT_EQ(code, 0u);
    for (const std::string& name : options.plantedDlls)
        EXPECT_EQ(GetFileAttributesA((game.dir() + "\\" + name + ".dll.loaded").c_str()), INVALID_FILE_ATTRIBUTES)
            << name << ".dll beside the game was loaded";
}
