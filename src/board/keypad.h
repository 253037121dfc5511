#pragma once
// The nine digit buttons, GO and Clear: picture buttons that show which digits
// are in the guess, whether GO can be pressed and whether there is anything to clear.
#include <windows.h>

#include <array>

struct KeypadRecord {
    std::array<HWND, 9> digitButtons{};  // digit index + 1
    HWND goButton = nullptr;             // the creation step builds the keypad while this is null
    HWND clearButton = nullptr;
};
extern KeypadRecord Keypad;

void CreateKeypad(HWND mainWindow);
// MarkDigitUsed, RestoreKeypad and ResetKeypadAfterJudgement are in game/effects.h.

// The face a button shows now (what BM_GETIMAGE returns), for tests.
HBITMAP KeypadFace(int resourceId);
