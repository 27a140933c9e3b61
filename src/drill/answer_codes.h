#pragma once
// The rules every drill window's card shares: answer codes 1-3 for options A-C, the
// two-or-three-option rule, the answer and correct-answer texts, and the keypad's virtual keys.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Virtual keys the drill windows take as key-downs (with Num Lock off the keypad's 4, 6 and 8
// arrive as the arrows).
inline constexpr uint16_t kVkLeft = 0x25;
inline constexpr uint16_t kVkUp = 0x26;
inline constexpr uint16_t kVkRight = 0x27;
inline constexpr uint16_t kVk8 = 0x38;
inline constexpr uint16_t kVkNumLock = 0x90;

// The blanks readers trim: every character up to and including the space.
std::string TrimBlanks(std::string_view text);

// A question has three options exactly when its C, trimmed, is not empty.
bool IsThreeOptionQuestion(std::string_view optionC);

// The option letter of an answer code: 1 'A', 2 'B', 3 'C'; 0 for anything else.
char AnswerLetter(int code);

// The answer code of a typed character '1'..'3'; 0 for any other character.
int AnswerCodeOfKey(wchar_t key);

// Whether answer `code` is right for the stored answer: 1 right, 2 wrong, and 0 when the
// trimmed `daan` is none of "A", "B", "C" (such an answer can never be judged).
int JudgeAnswer(int code, std::string_view daan);

// "正确答案为:1" for a trimmed daan "A" and so on; nothing for any other value, in which case
// the window leaves its label as it was.
std::optional<std::wstring> CorrectAnswerText(std::string_view daan);

// "你的答案是:" followed by the digit of the code (ASCII colon).
std::wstring GivenAnswerText(int code);
