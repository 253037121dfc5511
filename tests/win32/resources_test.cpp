// The resources inside the built Velquin.exe, read as data: what the code loads by
// number, and the exact menu, dialog templates and version record the game ships.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "resource.h"

namespace {

std::string Hex(unsigned long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", value);
    return text;
}

// VELQUIN_GAME_DIR is a Linux path; Wine reaches it through drive Z:.
std::string GameExePath()
{
    const char* dir = std::getenv("VELQUIN_GAME_DIR");
    if (dir == nullptr || *dir == '\0')
        return {};
    std::string path = dir;
    if (path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path + "\\Velquin.exe";
}

struct Bytes {
    const std::uint8_t* data = nullptr;
    DWORD size = 0;
};

// Reads the little-endian words of a resource, keeping track of where it is.
class Reader {
public:
    explicit Reader(Bytes bytes) : bytes_(bytes) {}
    std::uint16_t Word()
    {
        std::uint16_t w = 0;
        if (pos_ + 2 <= bytes_.size)
            std::memcpy(&w, bytes_.data + pos_, 2);
        else
            overrun_ = true;
        pos_ += 2;
        return w;
    }
    std::uint32_t Dword()
    {
        std::uint32_t low = Word();
        return low | (std::uint32_t{Word()} << 16);
    }
    std::wstring String()
    {
        std::wstring s;
        for (wchar_t c; !overrun_ && (c = static_cast<wchar_t>(Word())) != 0;)
            s += c;
        return s;
    }
    // A name or an ordinal: 0xFFFF then the number, else a string (maybe empty).
    std::wstring NameOrOrdinal(int* ordinal)
    {
        *ordinal = -1;
        if (pos_ + 2 <= bytes_.size && bytes_.data[pos_] == 0xFF && bytes_.data[pos_ + 1] == 0xFF) {
            Word();
            *ordinal = Word();
            return {};
        }
        return String();
    }
    void AlignDword() { pos_ = (pos_ + 3) & ~DWORD{3}; }
    DWORD Pos() const { return pos_; }
    bool Overrun() const { return overrun_ || pos_ > bytes_.size; }

private:
    Bytes bytes_;
    DWORD pos_ = 0;
    bool overrun_ = false;
};

class Resources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        path_ = GameExePath();
        if (!path_.empty())
            module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite()
    {
        if (module_ != nullptr)
            FreeLibrary(module_);
        module_ = nullptr;
    }
    void SetUp() override
    {
        ASSERT_FALSE(path_.empty()) << "VELQUIN_GAME_DIR must name the folder of the built Velquin.exe";
        ASSERT_NE(module_, nullptr) << "cannot load " << path_ << " as data, error " << GetLastError();
    }

    static Bytes Find(LPCSTR type, int id)
    {
        HRSRC info = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
        if (info == nullptr)
            return {};
        HGLOBAL handle = LoadResource(module_, info);
        return {static_cast<const std::uint8_t*>(LockResource(handle)), SizeofResource(module_, info)};
    }

    static inline std::string path_;
    static inline HMODULE module_ = nullptr;
};

// ---------------------------------------------------------------------------
// What the executable holds: types, numbers and languages, nothing else.

using Inventory = std::map<std::uintptr_t, std::map<std::uintptr_t, std::vector<WORD>>>;

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param)
{
    auto& inventory = *reinterpret_cast<Inventory*>(param);
    inventory[reinterpret_cast<std::uintptr_t>(type)][reinterpret_cast<std::uintptr_t>(name)].push_back(language);
    return TRUE;
}

BOOL CALLBACK AddName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param)
{
    auto& inventory = *reinterpret_cast<Inventory*>(param);
    // A string name would show up as a pointer far above any 16-bit number.
    inventory[reinterpret_cast<std::uintptr_t>(type)][reinterpret_cast<std::uintptr_t>(name)];
    if (IS_INTRESOURCE(type) && IS_INTRESOURCE(name))
        EnumResourceLanguagesA(module, type, name, AddLanguage, param);
    return TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPSTR type, LONG_PTR param)
{
    if (IS_INTRESOURCE(type))
        EnumResourceNamesA(module, type, AddName, param);
    else
        (*reinterpret_cast<Inventory*>(param))[reinterpret_cast<std::uintptr_t>(type)];
    return TRUE;
}

TEST_F(Resources, HoldsExactlyTheCataloguedNumbersInJapaneseAndOnlyTheManifestInEnglish)
{
    Inventory inventory;
    ASSERT_TRUE(EnumResourceTypesA(module_, AddType, reinterpret_cast<LONG_PTR>(&inventory)));

    std::set<std::uintptr_t> bitmaps;
    for (int id = 105; id <= 127; ++id)
        bitmaps.insert(id);
    for (int id = 132; id <= 140; ++id)
        bitmaps.insert(id);
    // Image numbers inside the icon and cursor groups are the compiler's choice: only their count matters.
    const std::map<std::uintptr_t, std::set<std::uintptr_t>> named = {
        {2, bitmaps}, {4, {101}}, {5, {103, 104, 128, 129, 141, 142}}, {12, {130, 131}}, {14, {102}}, {16, {1}}, {24, {1}},
    };
    std::set<std::uintptr_t> types;
    for (const auto& [type, names] : inventory)
        types.insert(type);
    // No string table (6), no accelerators (9), nothing unlisted.
    EXPECT_EQ(types, (std::set<std::uintptr_t>{1, 2, 3, 4, 5, 12, 14, 16, 24}));
    for (const auto& [type, ids] : named) {
        std::set<std::uintptr_t> found;
        for (const auto& [name, languages] : inventory[type])
            found.insert(name);
        EXPECT_EQ(found, ids) << "resource type " << type;
    }
    EXPECT_EQ(inventory[1].size(), 2u) << "one cursor image per cursor group";
    EXPECT_EQ(inventory[3].size(), 1u) << "one icon image";

    for (const auto& [type, names] : inventory)
        for (const auto& [name, languages] : names) {
            const WORD expected = type == 24 ? 0x0409 : 0x0411;
            EXPECT_EQ(languages, std::vector<WORD>{expected})
                << "type " << type << " number " << name << ": want exactly language " << Hex(expected);
        }
}

TEST_F(Resources, ManifestRequestsAsInvokerAndNothingElse)
{
    HRSRC info = FindResourceExA(module_, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1),
                                 MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(info, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(module_, info)));
    const std::string xml(data, SizeofResource(module_, info));
    EXPECT_NE(xml.find("urn:schemas-microsoft-com:asm.v1"), std::string::npos);
    EXPECT_NE(xml.find("manifestVersion=\"1.0\""), std::string::npos);
    EXPECT_NE(xml.find("<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">"), std::string::npos);
    EXPECT_NE(xml.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(xml.find("uiAccess=\"false\""), std::string::npos);
    // Version 6 of the common controls would theme the bitmap buttons.
    EXPECT_EQ(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_EQ(xml.find("dependency"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Pictures, cursors and the icon.

TEST_F(Resources, BitmapsHaveTheirSizesAndDepths)
{
    struct Family {
        int first, last, width, height, bits;
    };
    const Family families[] = {
        {IDB_BOARD, IDB_BOARD, 473, 410, 8},
        {IDB_KEY_USED_BASE + 1, IDB_KEY_USED_BASE + 9, 76, 65, 4},
        {IDB_KEY_NORMAL_BASE + 1, IDB_KEY_NORMAL_BASE + 9, 76, 65, 4},
        {IDB_GO_READY, IDB_GO_READY, 100, 55, 4},
        {IDB_CLEAR_ACTIVE, IDB_CLEAR_ACTIVE, 95, 50, 4},
        {IDB_GO_IDLE, IDB_GO_IDLE, 100, 55, 4},
        {IDB_CLEAR_IDLE, IDB_CLEAR_IDLE, 95, 50, 4},
        {IDB_TILE_BASE + 1, IDB_TILE_BASE + 9, 41, 48, 4},
    };
    const RGBQUAD standard16[16] = {
        {0, 0, 0, 0},     {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
        {128, 0, 0, 0},   {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
        {128, 128, 128, 0}, {0, 0, 255, 0}, {0, 255, 0, 0},   {0, 255, 255, 0},
        {255, 0, 0, 0},   {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0},
    };
    for (const Family& f : families)
        for (int id = f.first; id <= f.last; ++id) {
            SCOPED_TRACE("bitmap " + std::to_string(id));
            HBITMAP bitmap = LoadBitmapA(module_, MAKEINTRESOURCEA(id));
            ASSERT_NE(bitmap, nullptr);
            BITMAP object{};
            ASSERT_EQ(GetObjectA(bitmap, sizeof object, &object), static_cast<int>(sizeof object));
            DeleteObject(bitmap);
            EXPECT_EQ(object.bmWidth, f.width);
            EXPECT_EQ(object.bmHeight, f.height);

            const Bytes raw = Find(RT_BITMAP, id);
            ASSERT_GE(raw.size, sizeof(BITMAPINFOHEADER));
            BITMAPINFOHEADER header;
            std::memcpy(&header, raw.data, sizeof header);
            EXPECT_EQ(header.biSize, sizeof header);
            EXPECT_EQ(header.biWidth, f.width);
            EXPECT_EQ(header.biHeight, f.height) << "bottom-up, so positive";
            EXPECT_EQ(header.biBitCount, f.bits);
            EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
            if (f.bits == 4) {
                ASSERT_GE(raw.size, sizeof header + sizeof standard16);
                EXPECT_EQ(std::memcmp(raw.data + sizeof header, standard16, sizeof standard16), 0)
                    << "the standard 16-colour palette";
            }
        }
}

TEST_F(Resources, CursorsPointWithTheFingertipAndTheIconIs32By32)
{
    for (int id : {IDCUR_HAND, IDCUR_HINT}) {
        SCOPED_TRACE("cursor " + std::to_string(id));
        HCURSOR cursor = LoadCursorA(module_, MAKEINTRESOURCEA(id));
        ASSERT_NE(cursor, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, 10u);
        EXPECT_EQ(info.yHotspot, 0u);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);

        // The group: one 32 x 32 image (cursor heights count the mask too). windres
        // writes 1 plane of 1 bit in every cursor group whatever the image, so the
        // depth is read from the image itself, after its hot spot.
        Reader group(Find(RT_GROUP_CURSOR, id));
        EXPECT_EQ(group.Word(), 0);
        EXPECT_EQ(group.Word(), 2) << "cursor group";
        ASSERT_EQ(group.Word(), 1) << "image count";
        EXPECT_EQ(group.Word(), 32);
        EXPECT_EQ(group.Word(), 64);
        group.Word();
        group.Word();
        group.Dword();
        const int image = group.Word();
        const Bytes raw = Find(RT_CURSOR, image);
        ASSERT_GE(raw.size, 4 + sizeof(BITMAPINFOHEADER)) << "image " << image;
        Reader hotSpot(raw);
        EXPECT_EQ(hotSpot.Word(), 10) << "hot spot x in image " << image;
        EXPECT_EQ(hotSpot.Word(), 0) << "hot spot y in image " << image;
        BITMAPINFOHEADER header;
        std::memcpy(&header, raw.data + 4, sizeof header);
        EXPECT_EQ(header.biWidth, 32);
        EXPECT_EQ(header.biHeight, 64) << "colour and mask";
        EXPECT_EQ(header.biBitCount, 4);
    }

    HICON icon = LoadIconA(module_, MAKEINTRESOURCEA(IDI_APP));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    BITMAP colour{};
    ASSERT_NE(info.hbmColor, nullptr);
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmHeight, 32);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);

    Bytes group = Find(RT_GROUP_ICON, IDI_APP);
    ASSERT_GE(group.size, 6u + 14u);
    EXPECT_EQ(group.data[4], 1) << "one image";
    EXPECT_EQ(group.data[6], 32);
    EXPECT_EQ(group.data[7], 32);
    EXPECT_EQ(group.data[8], 16) << "colours";
    EXPECT_EQ(group.data[12], 4) << "bits per pixel";
}

// ---------------------------------------------------------------------------
// The menu bar.

struct ItemSpec {
    UINT id;
    const char* caption;  // nullptr for a separator
};
struct PopupSpec {
    const char* caption;
    std::vector<ItemSpec> items;
};

// Walks one item list of a classic template; a pop-up's own list follows its caption.
void CheckMenuFlags(Reader& raw)
{
    for (;;) {
        const std::uint16_t flags = raw.Word();
        if (raw.Overrun())
            return;
        EXPECT_EQ(flags & ~(MF_POPUP | MF_END), 0u) << "item flags " << Hex(flags) << " before byte " << raw.Pos();
        if (!(flags & MF_POPUP))
            raw.Word();
        raw.String();
        if (flags & MF_POPUP)
            CheckMenuFlags(raw);
        if (flags & MF_END)
            return;
    }
}

TEST_F(Resources, MenuHasThreePopupsWithTheCommandsInOrder)
{
    const PopupSpec popups[] = {
        {"ゲーム",
         {{IDM_NEWGAME, "新しいゲーム"}, {IDM_WORKWINDOW, "作業ウィンドウを作る"}, {0, nullptr},
          {IDM_QUIT, "ゲームをやめる"}}},
        {"効果音", {{IDM_SOUND_ON, "サウンド ON"}, {IDM_SOUND_OFF, "サウンド OFF"}}},
        {"ヘルプ",
         {{IDM_HELPFILE, "ヘルプファイルを見る"}, {IDM_ONEPOINT, "ワンポイントヘルプ"},
          {IDM_WORKWINDOW_HELP, "作業用ウィンドウの便利な使い方"}, {0, nullptr}, {IDM_ABOUT, "バージョン情報"},
          {0, nullptr}, {IDM_HOMEPAGE, "作者のホームページ"}}},
    };

    // The classic template: version 0, no header extension; only MF_POPUP and MF_END in the flags.
    Reader raw(Find(RT_MENU, IDM_MAIN));
    EXPECT_EQ(raw.Word(), 0) << "classic menu template";
    EXPECT_EQ(raw.Word(), 0);
    CheckMenuFlags(raw);
    EXPECT_FALSE(raw.Overrun());

    HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(IDM_MAIN));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    char text[128];
    for (int p = 0; p < 3; ++p) {
        ASSERT_GT(GetMenuStringA(menu, p, text, sizeof text, MF_BYPOSITION), 0);
        EXPECT_STREQ(text, popups[p].caption) << "pop-up " << p;
        HMENU sub = GetSubMenu(menu, p);
        ASSERT_NE(sub, nullptr) << "pop-up " << p;
        ASSERT_EQ(GetMenuItemCount(sub), static_cast<int>(popups[p].items.size())) << "pop-up " << p;
        for (int i = 0; i < GetMenuItemCount(sub); ++i) {
            const ItemSpec& want = popups[p].items[i];
            SCOPED_TRACE("pop-up " + std::to_string(p) + " item " + std::to_string(i));
            MENUITEMINFOA item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
            ASSERT_TRUE(GetMenuItemInfoA(sub, i, TRUE, &item));
            EXPECT_EQ(item.hSubMenu, nullptr);
            // The system reports separators as greyed, so state is checked on commands only.
            if (want.caption == nullptr) {
                EXPECT_TRUE(item.fType & MFT_SEPARATOR);
                continue;
            }
            EXPECT_EQ(item.fState, 0u) << "enabled and unchecked";
            EXPECT_EQ(item.fType, 0u);
            EXPECT_EQ(item.wID, want.id);
            ASSERT_GT(GetMenuStringA(sub, i, text, sizeof text, MF_BYPOSITION), 0);
            EXPECT_STREQ(text, want.caption);
        }
    }
    DestroyMenu(menu);
}

// ---------------------------------------------------------------------------
// Dialog templates, read byte for byte.

constexpr int Button = 0x0080;
constexpr int Static = 0x0082;

struct ControlSpec {
    int cls;
    int id;
    const wchar_t* text;  // nullptr: the icon ordinal IDI_APP
    DWORD style;          // without WS_CHILD | WS_VISIBLE
    short x, y, cx, cy;
    const wchar_t* className = L"";  // a class by name (cls -1)
};
struct DialogSpec {
    int id;
    DWORD style;
    short cx, cy;
    const wchar_t* caption;
    WORD points;
    std::vector<ControlSpec> controls;
};

const DWORD DialogStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;

const DialogSpec Dialogs[] = {
    {IDD_ABOUT, DialogStyle | WS_VISIBLE, 111, 89, L"バージョン情報", 9,
     {{Button, IDOK, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 29, 68, 50, 14},
      {Static, -1, L"Velquin", SS_LEFT | WS_GROUP, 42, 14, 49, 8},
      {Static, -1, nullptr, SS_ICON, 15, 12, 20, 20},
      {Static, -1, L"バージョン 1.3a", SS_LEFT | WS_GROUP, 53, 29, 49, 8},
      {Static, -1, L"by Mirelo", SS_LEFT | WS_GROUP, 40, 44, 40, 8},
      {Button, -1, L"", BS_GROUPBOX, 4, 0, 103, 62}}},
    {IDD_SETTINGS, DialogStyle, 187, 93, L"設定", 9,
     {{Button, IDOK, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 130, 7, 50, 14},
      {Button, IDCANCEL, L"ｷｬﾝｾﾙ", BS_PUSHBUTTON | WS_TABSTOP, 130, 24, 50, 14},
      {Button, -1, L"ショートカットの作成", BS_GROUPBOX | BS_CENTER, 12, 10, 100, 73},
      {Button, IDC_SET_DESKTOP, L"デスクトップ", BS_AUTOCHECKBOX | WS_TABSTOP, 33, 29, 51, 10},
      {Button, IDC_SET_STARTMENU, L"スタートメニュー", BS_AUTOCHECKBOX | WS_TABSTOP, 33, 44, 63, 10},
      {Button, IDC_SET_STARTUP, L"スタートアップ", BS_AUTOCHECKBOX | WS_TABSTOP | WS_DISABLED, 33, 59, 57, 10}}},
    {IDD_RESULT, DialogStyle, 130, 64, L"判定 - Velquin", 14,
     {{Button, IDOK, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 40, 45, 50, 14},
      {Static, IDC_RESULT_HEADLINE, L"", SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN | WS_GROUP, 0, 4, 130, 16},
      {Static, IDC_RESULT_ANSWER, L"", SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN | WS_GROUP, 0, 23, 130, 16}}},
    {IDD_ONEPOINT, DialogStyle, 187, 93, L"ワンポイントヘルプ", 9,
     {{Button, IDOK, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 7, 72, 50, 14},
      {Button, IDC_HELP_NEXT, L"次へ \u2192", BS_PUSHBUTTON | WS_TABSTOP, 130, 72, 50, 14},
      {Static, IDC_HELP_TEXT, L"Static", SS_LEFT | SS_SUNKEN | WS_GROUP, 3, 7, 180, 53},
      {Button, IDC_HELP_BACK, L"\u2190 もどる", BS_PUSHBUTTON | WS_TABSTOP, 78, 72, 50, 14}}},
    {IDD_REVIEW, DialogStyle, 236, 196, L"感想戦", 9,
     {{-1, IDC_REVIEW_LIST, L"", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_BORDER | WS_TABSTOP,
       7, 7, 222, 128, L"SYSLISTVIEW32"},
      {Static, IDC_REVIEW_ANSWER, L"", SS_LEFT | WS_GROUP, 7, 141, 222, 9},
      {Static, IDC_REVIEW_NARROWED, L"", SS_LEFT | WS_GROUP, 7, 152, 222, 9},
      {Static, IDC_REVIEW_COMPUTER, L"", SS_LEFT | WS_GROUP, 7, 163, 222, 9},
      {Button, IDOK, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 93, 176, 50, 14}}},
};

TEST_F(Resources, DialogTemplatesMatchByteForByte)
{
    for (const DialogSpec& want : Dialogs) {
        SCOPED_TRACE("dialog " + std::to_string(want.id));
        const Bytes bytes = Find(RT_DIALOG, want.id);
        ASSERT_NE(bytes.data, nullptr);
        Reader r(bytes);
        const DWORD style = r.Dword();
        ASSERT_NE(style, 0xFFFF0001u) << "extended template; the classic one is wanted";
        EXPECT_EQ(Hex(style), Hex(want.style)) << "dialog style";
        EXPECT_EQ(r.Dword(), 0u) << "extended style";
        const int count = r.Word();
        ASSERT_EQ(count, static_cast<int>(want.controls.size()));
        const short x = r.Word(), y = r.Word(), cx = r.Word(), cy = r.Word();
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, 0);
        EXPECT_EQ(cx, want.cx);
        EXPECT_EQ(cy, want.cy);
        int ordinal;
        EXPECT_EQ(r.NameOrOrdinal(&ordinal), L"") << "no menu";
        EXPECT_EQ(ordinal, -1);
        EXPECT_EQ(r.NameOrOrdinal(&ordinal), L"") << "default dialog class";
        EXPECT_EQ(ordinal, -1);
        EXPECT_EQ(r.String(), want.caption);
        EXPECT_EQ(r.Word(), want.points);
        EXPECT_EQ(r.String(), L"ＭＳ Ｐゴシック");

        for (int i = 0; i < count; ++i) {
            const ControlSpec& c = want.controls[i];
            SCOPED_TRACE("control " + std::to_string(i + 1) + " (id " + std::to_string(c.id) + ")");
            r.AlignDword();
            EXPECT_EQ(Hex(r.Dword()), Hex(c.style | WS_CHILD | WS_VISIBLE)) << "control style";
            EXPECT_EQ(r.Dword(), 0u) << "extended style";
            const short rect[4] = {static_cast<short>(r.Word()), static_cast<short>(r.Word()),
                                   static_cast<short>(r.Word()), static_cast<short>(r.Word())};
            EXPECT_EQ(rect[0], c.x);
            EXPECT_EQ(rect[1], c.y);
            EXPECT_EQ(rect[2], c.cx);
            EXPECT_EQ(rect[3], c.cy);
            EXPECT_EQ(r.Word(), static_cast<std::uint16_t>(c.id));
            EXPECT_EQ(r.NameOrOrdinal(&ordinal), c.className) << "class name, else an ordinal";
            EXPECT_EQ(ordinal, c.cls);
            const std::wstring text = r.NameOrOrdinal(&ordinal);
            if (c.text == nullptr) {
                EXPECT_EQ(ordinal, IDI_APP) << "icon by ordinal";
            } else {
                EXPECT_EQ(ordinal, -1);
                EXPECT_EQ(text, c.text);
            }
            EXPECT_EQ(r.Word(), 0) << "creation data";
        }
        EXPECT_FALSE(r.Overrun());
        EXPECT_LE(bytes.size - r.Pos(), 3u) << "trailing bytes";
    }
}

INT_PTR CALLBACK NothingHandled(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The result dialog's 14-point font makes its dialog units larger on screen.
TEST_F(Resources, ResultDialogUnitsAreLargerThanTheNinePointOnes)
{
    RECT large = {0, 0, 100, 100}, small = large;
    HWND result = CreateDialogParamA(module_, MAKEINTRESOURCEA(IDD_RESULT), nullptr, NothingHandled, 0);
    HWND help = CreateDialogParamA(module_, MAKEINTRESOURCEA(IDD_ONEPOINT), nullptr, NothingHandled, 0);
    ASSERT_NE(result, nullptr);
    ASSERT_NE(help, nullptr);
    MapDialogRect(result, &large);
    MapDialogRect(help, &small);
    EXPECT_GT(large.right, small.right);
    EXPECT_GT(large.bottom, small.bottom);
    EXPECT_FALSE(GetWindowLongA(result, GWL_STYLE) & WS_SYSMENU);
    DestroyWindow(result);
    DestroyWindow(help);
}

// ---------------------------------------------------------------------------
// The version record, as the system reads it.

// One node of the version tree: its key, its value's bytes and its children.
struct VersionNode {
    std::wstring key;
    std::vector<std::uint8_t> value;
    std::vector<VersionNode> children;

    std::wstring Text() const
    {
        std::wstring text(value.size() / 2, L'\0');
        std::memcpy(text.data(), value.data(), text.size() * 2);
        if (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return text;
    }
};

VersionNode ParseVersionNode(const std::uint8_t* node, DWORD room)
{
    Reader r({node, room});
    VersionNode parsed;
    const DWORD length = std::min<DWORD>(r.Word(), room);
    const DWORD valueLength = r.Word();
    const DWORD valueBytes = r.Word() == 1 ? valueLength * 2 : valueLength;  // type 1: text in characters
    parsed.key = r.String();
    r.AlignDword();
    if (r.Pos() + valueBytes <= length)
        parsed.value.assign(node + r.Pos(), node + r.Pos() + valueBytes);
    DWORD at = (r.Pos() + valueBytes + 3) & ~DWORD{3};
    while (at + 6 <= length) {
        const DWORD childLength = node[at] | (node[at + 1] << 8);
        if (childLength == 0)
            break;
        parsed.children.push_back(ParseVersionNode(node + at, length - at));
        at = (at + childLength + 3) & ~DWORD{3};
    }
    return parsed;
}

TEST_F(Resources, VersionRecordHoldsTheFixedPartAndTheJapaneseStrings)
{
    const Bytes bytes = Find(RT_VERSION, 1);
    ASSERT_GT(bytes.size, 6u + sizeof(VS_FIXEDFILEINFO));
    const VersionNode root = ParseVersionNode(bytes.data, bytes.size);
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");
    ASSERT_EQ(root.value.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, root.value.data(), sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010003u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010003u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);

    const std::map<std::wstring, std::wstring> strings = {
        {L"Comments", L"パズルゲーム"},  {L"CompanyName", L" Mirelo"},     {L"FileDescription", L"パズルゲーム"},
        {L"FileVersion", L"1, 3, 0, 1"}, {L"InternalName", L"Velquin"},    {L"LegalTrademarks", L""},
        {L"OriginalFilename", L"Velquin.exe"}, {L"PrivateBuild", L""},    {L"ProductName", L"  Velquin"},
        {L"ProductVersion", L"1, 3, 0, 1"},    {L"SpecialBuild", L""},
    };
    ASSERT_EQ(root.children.size(), 2u);
    const VersionNode& stringInfo = root.children[0];
    EXPECT_EQ(stringInfo.key, L"StringFileInfo");
    ASSERT_EQ(stringInfo.children.size(), 1u) << "one string block";
    EXPECT_EQ(stringInfo.children[0].key, L"041104b0");
    std::map<std::wstring, std::wstring> found;
    for (const VersionNode& value : stringInfo.children[0].children)
        found[value.key] = value.Text();
    EXPECT_EQ(found, strings);
    const VersionNode& varInfo = root.children[1];
    EXPECT_EQ(varInfo.key, L"VarFileInfo");
    ASSERT_EQ(varInfo.children.size(), 1u);
    EXPECT_EQ(varInfo.children[0].key, L"Translation");
    EXPECT_EQ(varInfo.children[0].value, (std::vector<std::uint8_t>{0x11, 0x04, 0xB0, 0x04}));

    // And the same through the system's own reader.
    HMODULE version = LoadLibraryA("version.dll");
    ASSERT_NE(version, nullptr);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void (*)()>(GetProcAddress(version, "VerQueryValueW")));
    ASSERT_NE(query, nullptr);
    // The reader wants a writable copy with room behind it, as GetFileVersionInfo would give.
    std::vector<std::uint8_t> copy(bytes.data, bytes.data + bytes.size);
    copy.resize(bytes.size * 2 + 64);
    for (const auto& [key, value] : strings) {
        void* text = nullptr;
        UINT length = 0;
        const std::wstring sub = L"\\StringFileInfo\\041104b0\\" + key;
        ASSERT_TRUE(query(copy.data(), sub.c_str(), &text, &length)) << "VerQueryValue " << std::string(key.begin(), key.end());
        EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(text)), value);
    }
    VS_FIXEDFILEINFO* fromSystem = nullptr;
    UINT length = 0;
    ASSERT_TRUE(query(copy.data(), L"\\", reinterpret_cast<void**>(&fromSystem), &length));
    EXPECT_EQ(fromSystem->dwFileVersionMS, 0x00010003u);
    FreeLibrary(version);
}

}  // namespace
