#pragma once
// Where a line may break inside text without spaces: between Chinese (and other CJK)
// characters, except before closing and after opening punctuation, so that "，" never starts
// a line and "（" never ends one.
namespace html {

bool IsCjk(char32_t c);
bool MayBreakBetween(char32_t before, char32_t after);

}  // namespace html
