#include "help_pages.h"

#include <algorithm>

namespace {

template <std::size_t N>
constexpr HelpPageText MakePage(const char (&text)[N])
{
    static_assert(N <= HelpPageSize, "a page must fit its buffer with its terminating zero");
    HelpPageText page{};
    for (std::size_t i = 0; i < N; ++i)
        page[i] = text[i];
    return page;
}

} // namespace

// Full-width digits and letters, ASCII spaces around them, \n where a line breaks.
const char HelpIntroduction[] =
    "簡単に遊び方を説明します。詳しい説明はヘルプファイルをご覧下さい。\n\n次へを押してください。";

const std::array<HelpPageText, HelpPageCount> HelpPages = {
    MakePage("コンピュータが作った４ 桁の数字を当てるゲームです。"),
    MakePage("４ つの数は １ ～ ９ で ０ は含みません。\nまた、重複もしません。"),
    MakePage("適当な数を入力し、ＧＯ ボタンを押します。４ 桁のうち、数字と桁が共に一致するとストライク、"
             "数字のみが一致するとボールと判定されます。"),
    MakePage("たとえば、正解が １２３４ の場合、１５６３ と入力すると、１ は桁、数字ともあっているので、"
             "１ ストライクとなり、３ は数字のみ一致しているので、１ ボールとなります。"),
    MakePage("前の結果を参考に、答えを見つけてください。\n作業用ウィンドウを使うと便利です。\n"
             "チャレンジは １０ 回までです。"),
};

HelpView HelpViewOf(int page)
{
    page = std::clamp(page, 0, HelpPageCount);
    const char* text = page == 0 ? HelpIntroduction : HelpPages[static_cast<std::size_t>(page - 1)].data();
    return {page, text, page < HelpPageCount, page >= 2};
}

HelpView PressHelpButton(int page, HelpButton button)
{
    if (button == HelpButton::Next && page < HelpPageCount)
        ++page;
    else if (button == HelpButton::Back && page >= 2)
        --page;
    return HelpViewOf(page);
}
