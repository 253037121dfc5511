// Which keypad command a key or a typed character stands for.
#include "key_commands.h"

#include "resource.h"

namespace {

constexpr int VirtualKeyDelete = 0x2E;
constexpr int VirtualKeyNumpad1 = 0x61;  // to 0x69 for 9
constexpr int Enter = '\r';
constexpr int Backspace = '\b';
constexpr int Escape = 0x1B;
constexpr int FullWidthOne = 0x8250;  // １ in code page 932; ９ is 0x8258

} // namespace

int CommandForKeyDown(int virtualKey)
{
    if (virtualKey >= VirtualKeyNumpad1 && virtualKey <= VirtualKeyNumpad1 + 8)
        return IDC_DIGIT_BASE + virtualKey - VirtualKeyNumpad1;
    return virtualKey == VirtualKeyDelete ? IDC_CLEAR : NoCommand;
}

int CommandForChar(int character)
{
    if (character >= '1' && character <= '9')
        return IDC_DIGIT_BASE + character - '1';
    if (character >= FullWidthOne && character <= FullWidthOne + 8)
        return IDC_DIGIT_BASE + character - FullWidthOne;
    switch (character) {
    case Enter: return IDC_GO;
    case Backspace:
    case Escape: return IDC_CLEAR;
    default: return NoCommand;
    }
}

int DoubleByteJoiner::Feed(int byte)
{
    if (lead_) {
        const int character = lead_ * 256 + byte;
        lead_ = 0;
        return character;
    }
    if (isLeadByte_(byte)) {
        lead_ = byte;
        return -1;
    }
    return byte;
}
