// The keypad: eleven BS_BITMAP push buttons whose faces follow the entry.
#include "keypad.h"

#include <array>

#include "board_layout.h"
#include "game/effects.h"
#include "game/game_state.h"
#include "resource.h"
#include "win/app_records.h"

KeypadRecord Keypad;

namespace {

struct ButtonPlace {
    int id;
    BoardRect rect;
    const char* text;
};

constexpr int NormalFace(int index) { return IDB_KEY_NORMAL_BASE + 1 + index; }
constexpr int UsedFace(int index) { return IDB_KEY_USED_BASE + 1 + index; }

constexpr std::array<const char*, 9> DigitTexts{"1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr ButtonPlace GoPlace{IDC_GO, GoKeyRect, "GO"};
constexpr ButtonPlace ClearPlace{IDC_CLEAR, ClearKeyRect, "Clear"};

HBITMAP Face(int resourceId)
{
    HBITMAP& face = Keypad.faces[resourceId - IDB_KEY_USED_BASE - 1];
    if (!face)
        face = LoadBitmapA(AppInfo.instance, MAKEINTRESOURCEA(resourceId));
    return face;
}

void ShowFace(HWND button, int resourceId)
{
    SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(Face(resourceId)));
}

HWND CreateButton(HWND mainWindow, const ButtonPlace& place)
{
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    const BoardRect& r = place.rect;
    return CreateWindowExA(0, "BUTTON", place.text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_BITMAP, r.left, r.top,
                           r.Width(), r.Height(), mainWindow,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), instance, nullptr);
}

// Every digit button marked used shows its normal face again; the caller clears the flags.
void RestoreUsedDigits()
{
    for (int index = 0; index < 9; ++index)
        if (GameState.digitUsed[index] == 1)
            ShowFace(Keypad.digitButtons[index], NormalFace(index));
}

} // namespace

void CreateKeypad(HWND mainWindow)
{
    // All 22 faces up front, so the object count is the same before and after play.
    for (int id = IDB_KEY_USED_BASE + 1; id <= IDB_CLEAR_IDLE; ++id)
        Face(id);
    for (int index = 0; index < 9; ++index) {
        const ButtonPlace place{IDC_DIGIT_BASE + index, DigitKeyRect(index), DigitTexts[index]};
        Keypad.digitButtons[index] = CreateButton(mainWindow, place);
        ShowFace(Keypad.digitButtons[index], NormalFace(index));
    }
    Keypad.goButton = CreateButton(mainWindow, GoPlace);
    ShowFace(Keypad.goButton, IDB_GO_IDLE);
    Keypad.clearButton = CreateButton(mainWindow, ClearPlace);
    ShowFace(Keypad.clearButton, IDB_CLEAR_IDLE);
}

void MarkDigitUsed(int n, int index)
{
    ShowFace(Keypad.digitButtons[index], UsedFace(index));
    if (n == 4)
        ShowFace(Keypad.goButton, IDB_GO_READY);
    else if (n == 1)
        ShowFace(Keypad.clearButton, IDB_CLEAR_ACTIVE);
}

void RestoreKeypad(int n)
{
    if (n == 4) {
        ShowFace(Keypad.goButton, IDB_GO_IDLE);
        ShowFace(Keypad.clearButton, IDB_CLEAR_IDLE);
    } else if (n != 0) {
        ShowFace(Keypad.clearButton, IDB_CLEAR_IDLE);
    }
    RestoreUsedDigits();
}

void ResetKeypadAfterJudgement()
{
    ShowFace(Keypad.goButton, IDB_GO_IDLE);
    ShowFace(Keypad.clearButton, IDB_CLEAR_IDLE);
    RestoreUsedDigits();
}
