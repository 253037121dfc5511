// The one-point help: every transition of the paging against the state table, and
// the page texts to the byte as the Shift-JIS buffers hold them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "help/help_pages.h"

namespace {

std::string PageString(int page)
{
    return HelpPages[static_cast<std::size_t>(page - 1)].data();
}

struct Row {
    int page;
    bool back, next;
};
// helpPage, Back (1006), Next (1005).
constexpr Row StateTable[] = {
    {0, false, true}, {1, false, true}, {2, true, true}, {3, true, true}, {4, true, true}, {5, true, false},
};

TEST(HelpPaging, EachStateShowsItsTextAndButtons)
{
    for (const Row& row : StateTable) {
        const HelpView view = HelpViewOf(row.page);
        EXPECT_EQ(view.page, row.page);
        EXPECT_EQ(view.backEnabled, row.back) << "page " << row.page;
        EXPECT_EQ(view.nextEnabled, row.next) << "page " << row.page;
        const std::string expected = row.page == 0 ? HelpIntroduction : PageString(row.page);
        EXPECT_EQ(view.text, expected) << "page " << row.page;
    }
}

TEST(HelpPaging, EveryPressFromEveryState)
{
    struct Press {
        int from;
        HelpButton button;
        int to;
    };
    // The no-op presses are those of a disabled button (a command posted from outside).
    constexpr Press presses[] = {
        {0, HelpButton::Next, 1}, {1, HelpButton::Next, 2}, {2, HelpButton::Next, 3},
        {3, HelpButton::Next, 4}, {4, HelpButton::Next, 5}, {5, HelpButton::Next, 5},
        {0, HelpButton::Back, 0}, {1, HelpButton::Back, 1}, {2, HelpButton::Back, 1},
        {3, HelpButton::Back, 2}, {4, HelpButton::Back, 3}, {5, HelpButton::Back, 4},
    };
    for (const Press& p : presses) {
        const HelpView got = PressHelpButton(p.from, p.button);
        const HelpView want = HelpViewOf(p.to);
        const char* name = p.button == HelpButton::Next ? "Next" : "Back";
        EXPECT_EQ(got.page, p.to) << name << " from " << p.from;
        EXPECT_EQ(got.text, want.text) << name << " from " << p.from;
        EXPECT_EQ(got.nextEnabled, want.nextEnabled) << name << " from " << p.from;
        EXPECT_EQ(got.backEnabled, want.backEnabled) << name << " from " << p.from;
    }
}

// As a player leafs: Back first enables on page 2, the introduction is never shown again.
TEST(HelpPaging, ForwardToTheEndAndBackToPageOne)
{
    HelpView view = HelpViewOf(0);
    for (int page = 1; page <= 5; ++page) {
        view = PressHelpButton(view.page, HelpButton::Next);
        EXPECT_EQ(view.text, PageString(page));
        EXPECT_EQ(view.backEnabled, page >= 2) << "page " << page;
        EXPECT_EQ(view.nextEnabled, page < 5) << "page " << page;
    }
    for (int page = 4; page >= 1; --page) {
        view = PressHelpButton(view.page, HelpButton::Back);
        EXPECT_EQ(view.text, PageString(page));
        EXPECT_TRUE(view.nextEnabled) << "page " << page;
        EXPECT_EQ(view.backEnabled, page >= 2) << "page " << page;
    }
    EXPECT_EQ(PressHelpButton(view.page, HelpButton::Back).text, PageString(1));
}

TEST(HelpPages, LengthsLineFeedsAndZeroFilledBuffers)
{
    constexpr std::size_t lengths[] = {51, 64, 132, 163, 108};
    constexpr int lineFeeds[] = {0, 1, 0, 0, 2};
    std::size_t longest = 0;
    for (int page = 1; page <= 5; ++page) {
        const HelpPageText& buffer = HelpPages[static_cast<std::size_t>(page - 1)];
        const std::size_t length = std::strlen(buffer.data());
        EXPECT_EQ(length, lengths[page - 1]) << "page " << page;
        EXPECT_EQ(std::count(buffer.begin(), buffer.end(), '\n'), lineFeeds[page - 1]) << "page " << page;
        // Digits are full width: no ASCII digit byte (trail bytes start at 0x40).
        EXPECT_EQ(std::string(buffer.data()).find_first_of("0123456789"), std::string::npos) << "page " << page;
        EXPECT_TRUE(std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(length), buffer.end(),
                                [](char c) { return c == 0; }))
            << "page " << page;
        longest = std::max(longest, length);
    }
    EXPECT_EQ(longest, 163u);
    EXPECT_EQ(sizeof(HelpPageText), 200u);
    EXPECT_EQ(std::strlen(HelpIntroduction), 90u);
}

TEST(HelpPages, ShiftJisBytes)
{
    // "４ つの数は １ ～ ９ で ０ は含みません。\nまた、重複もしません。"
    constexpr unsigned char page2[] = {
        0x82, 0x53, 0x20, 0x82, 0xC2, 0x82, 0xCC, 0x90, 0x94, 0x82, 0xCD, 0x20, 0x82, 0x50, 0x20, 0x81,
        0x60, 0x20, 0x82, 0x58, 0x20, 0x82, 0xC5, 0x20, 0x82, 0x4F, 0x20, 0x82, 0xCD, 0x8A, 0xDC, 0x82,
        0xDD, 0x82, 0xDC, 0x82, 0xB9, 0x82, 0xF1, 0x81, 0x42, 0x0A, 0x82, 0xDC, 0x82, 0xBD, 0x81, 0x41,
        0x8F, 0x64, 0x95, 0xA1, 0x82, 0xE0, 0x82, 0xB5, 0x82, 0xDC, 0x82, 0xB9, 0x82, 0xF1, 0x81, 0x42,
    };
    EXPECT_EQ(std::memcmp(HelpPages[1].data(), page2, sizeof page2), 0);
    EXPECT_EQ(HelpPages[1][sizeof page2], 0);

    // "…てください。\n\n次へを押してください。": the blank line, then 次 (0x8E 0x9F).
    const std::string intro = HelpIntroduction;
    EXPECT_EQ(intro.substr(64, 5), std::string("\x81\x42\n\n\x8E", 5));
    // Page 5's last line, "チャレンジは １０ 回までです。": full-width 1 and 0 between ASCII spaces.
    const std::string page5 = PageString(5);
    EXPECT_NE(page5.find("\n\x83\x60\x83\x83\x83\x8C\x83\x93\x83\x57\x82\xCD\x20\x82\x50\x82\x4F\x20"), std::string::npos);
}

} // namespace
