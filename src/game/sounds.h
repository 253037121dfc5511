#pragma once
// The game's five sound effects: wave files beside the executable, named bare, so
// the system looks them up. Each plays through PlayGameSound (effects.h).

inline constexpr const char* SoundDigit = "21.wav";     // a digit entered
inline constexpr const char* SoundJudged = "PIN1.wav";  // a guess judged, not the last
inline constexpr const char* SoundWin = "FAN2.wav";
inline constexpr const char* SoundLoss = "DOWN1.wav";
inline constexpr const char* SoundTileSnap = "whuf.WAV";  // a work-window tile snapped into a slot
