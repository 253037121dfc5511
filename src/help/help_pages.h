#pragma once
// The one-point help's texts and its paging, apart from the dialog that shows them.
#include <array>
#include <cstddef>

inline constexpr std::size_t HelpPageSize = 200;  // each page's buffer, zero-filled after the text
inline constexpr int HelpPageCount = 5;

using HelpPageText = std::array<char, HelpPageSize>;

// Shown when the dialog opens (helpPage 0); never reached again by paging.
extern const char HelpIntroduction[];
// Pages 1 to 5 are HelpPages[0] to HelpPages[4].
extern const std::array<HelpPageText, HelpPageCount> HelpPages;

enum class HelpButton { Next, Back };

// What the dialog shows for one value of helpPage.
struct HelpView {
    int page;
    const char* text;
    bool nextEnabled;
    bool backEnabled;
};

HelpView HelpViewOf(int page);
// Next goes 0..4 -> +1, Back 2..5 -> -1; a press that the disabled button could
// not have made (a posted command) leaves the page where it is.
HelpView PressHelpButton(int page, HelpButton button);
