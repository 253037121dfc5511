// The platform the game relies on: code page 932 at run time, Shift-JIS literals,
// and the C runtime's rand matching the game's own generator.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "game/secret.h"

TEST(Platform, CodePageIs932AndLiteralsAreShiftJis)
{
    EXPECT_EQ(GetACP(), 932u);
    // 作業用ウィンドウ in code page 932.
    const unsigned char expected[] = {0x8d, 0xec, 0x8b, 0xc6, 0x97, 0x70, 0x83, 0x45, 0x83,
                                      0x42, 0x83, 0x93, 0x83, 0x68, 0x83, 0x45, 0};
    EXPECT_EQ(std::strlen("作業用ウィンドウ"), sizeof expected - 1);
    EXPECT_EQ(std::memcmp("作業用ウィンドウ", expected, sizeof expected), 0);
    // Half-width katakana stays one byte each: ｷｬﾝｾﾙ.
    EXPECT_STREQ("ｷｬﾝｾﾙ", "\xb7\xac\xdd\xbe\xd9");
    // And the system converts it back to the same Unicode text.
    wchar_t wide[32];
    ASSERT_GT(MultiByteToWideChar(CP_ACP, 0, "作業用ウィンドウ", -1, wide, 32), 0);
    EXPECT_EQ(std::wcscmp(wide, L"\u4f5c\u696d\u7528\u30a6\u30a3\u30f3\u30c9\u30a6"), 0);
}

TEST(Platform, GeneratorEqualsTheCRuntimeRand)
{
    for (unsigned seed : {0u, 1u, 42u, 1700000000u, 0xFFFFFFFFu, static_cast<unsigned>(time(nullptr))}) {
        std::srand(seed);
        RandomGenerator ours;
        ours.Seed(seed);
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(ours.Next(), std::rand()) << "seed " << seed << " call " << i;
    }
}
