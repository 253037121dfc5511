#pragma once
// The nine digit buttons, GO and Clear: picture buttons that show which digits
// are in the guess, whether GO can be pressed and whether there is anything to clear.
#include <windows.h>

#include <array>

#include "resource.h"

struct KeypadRecord {
    std::array<HWND, 9> digitButtons{};  // digit index + 1
    HWND goButton = nullptr;             // the creation step builds the keypad while this is null
    HWND clearButton = nullptr;
    // The faces, loaded once and shared by every switch, so game after game adds no
    // bitmaps; resource id 106..127 is faces[id - IDB_KEY_USED_BASE - 1].
    std::array<HBITMAP, IDB_CLEAR_IDLE - IDB_KEY_USED_BASE> faces{};
};
extern KeypadRecord Keypad;

void CreateKeypad(HWND mainWindow);
// MarkDigitUsed, RestoreKeypad and ResetKeypadAfterJudgement are in game/effects.h.
