// Keys to keypad commands, checked over every character and every key code.
#include <gtest/gtest.h>

#include <map>

#include "board/key_commands.h"
#include "resource.h"

namespace {

TEST(KeyCommands, DigitsEnterAndClearKeysAloneSendTheirButtonsCommands)
{
    std::map<int, int> chars{{'\r', IDC_GO}, {'\b', IDC_CLEAR}, {0x1B, IDC_CLEAR}};
    std::map<int, int> keys{{0x2E, IDC_CLEAR}};  // Delete
    for (int d = 1; d <= 9; ++d) {
        chars['0' + d] = IDC_DIGIT_BASE + d - 1;
        chars[0x824F + d] = IDC_DIGIT_BASE + d - 1;  // full-width, ０ is 0x824F
        keys[0x60 + d] = IDC_DIGIT_BASE + d - 1;     // numeric keypad
    }
    for (int c = 0; c <= 0xFFFF; ++c) {
        const auto it = chars.find(c);
        ASSERT_EQ(CommandForChar(c), it == chars.end() ? NoCommand : it->second) << "character " << std::hex << c;
    }
    // The main keyboard's digits, Enter, Backspace and Escape act through their
    // characters only: as keys too they would reach the game twice.
    for (int key = 0; key <= 0xFF; ++key) {
        const auto it = keys.find(key);
        ASSERT_EQ(CommandForKeyDown(key), it == keys.end() ? NoCommand : it->second) << "key " << std::hex << key;
    }
}

TEST(KeyCommands, DoubleByteCharactersAreJoinedFromLeadAndTrailBytes)
{
    DoubleByteJoiner chars([](int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); });  // 932
    EXPECT_EQ(chars.Feed('7'), '7');
    EXPECT_EQ(chars.Feed(0x82), -1);
    EXPECT_EQ(chars.Feed(0x58), 0x8258);  // ９
    EXPECT_EQ(chars.Feed(0x82), -1);
    EXPECT_EQ(chars.Feed(0x82), 0x8282);  // ｂ: a trail byte can look like a lead byte
    EXPECT_EQ(chars.Feed(0xB1), 0xB1);    // half-width ｱ is one byte
    EXPECT_EQ(chars.Feed(0xFC), -1);
    EXPECT_EQ(chars.Feed('1'), 0xFC31);
    EXPECT_EQ(chars.Feed('1'), '1');
    DoubleByteJoiner western([](int) { return false; });  // 1252: é (a French keyboard's 2) is no lead byte
    EXPECT_EQ(western.Feed(0xE9), 0xE9);
    EXPECT_EQ(western.Feed('1'), '1');
}

} // namespace
