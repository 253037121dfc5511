#pragma once
// The keyboard plays the keypad: a key that means something becomes the command its
// button sends, so the game cannot tell a key from a click. Key codes and characters
// arrive as plain numbers.

inline constexpr int NoCommand = 0;

// A key going down, by virtual-key code: the digits of the numeric keypad (which it
// sends only while Num Lock is on) and Delete (Clear). Every other key acts through
// the character it types, so Shift-1 or Ctrl-1 on the main keyboard is no digit.
int CommandForKeyDown(int virtualKey);

// A typed character: '1' to '9', the full-width １ to ９ as one
// code page 932 character (lead byte * 256 + trail byte), Enter (GO), Backspace and
// Escape (Clear).
int CommandForChar(int character);

// An ANSI window gets a double-byte character one byte a message, the lead byte first.
// Which bytes lead is the system's code page's to say: in 932 0x81-0x9F and 0xE0-0xFC,
// in 1252 none (é and à on a French digit row are characters of their own).
class DoubleByteJoiner {
public:
    explicit DoubleByteJoiner(bool (*isLeadByte)(int byte)) : isLeadByte_(isLeadByte) {}
    // The whole character once it is complete; -1 while a lead byte waits for its trail.
    int Feed(int byte);

private:
    bool (*isLeadByte_)(int byte);
    int lead_ = 0;
};
