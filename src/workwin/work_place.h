#pragma once
// Where the work window goes when it is shown: beside the main window on screens
// at least 800 pixels wide, centred on narrower ones.
#include <cstdint>

inline constexpr int32_t WorkWindowWidth = 244;
inline constexpr int32_t WorkWindowHeight = 390;

struct WorkWindowPlace {
    bool centred = false;  // centre on the desktop at the current size; x and y unused
    int32_t x = 0, y = 0;  // else the top-left corner, at WorkWindowWidth x WorkWindowHeight
};

// mainLeft and mainTop: the main window's screen rectangle. The result is not
// clamped to the screen.
constexpr WorkWindowPlace PlaceWorkWindow(int32_t screenWidth, int32_t mainLeft, int32_t mainTop)
{
    if (screenWidth < 800)
        return {true};
    // Right of the 480-pixel main window when there is room for it there, else left;
    // 10 pixels apart either way.
    const int32_t x = mainLeft <= 224 ? mainLeft + 490 : mainLeft - 254;
    return {false, x, mainTop};
}
