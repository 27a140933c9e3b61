#include "drill/answer_codes.h"

std::string TrimBlanks(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
    return std::string(text.substr(b, e - b));
}

bool IsThreeOptionQuestion(std::string_view optionC) { return !TrimBlanks(optionC).empty(); }

char AnswerLetter(int code) { return code >= 1 && code <= 3 ? char('A' + code - 1) : 0; }

int AnswerCodeOfKey(wchar_t key) { return key >= L'1' && key <= L'3' ? int(key - L'0') : 0; }

int JudgeAnswer(int code, std::string_view daan) {
    const std::string stored = TrimBlanks(daan);
    if (stored != "A" && stored != "B" && stored != "C") return 0;
    return stored[0] == AnswerLetter(code) ? 1 : 2;
}

std::optional<std::wstring> CorrectAnswerText(std::string_view daan) {
    const std::string stored = TrimBlanks(daan);
    if (stored == "A") return L"正确答案为:1";
    if (stored == "B") return L"正确答案为:2";
    if (stored == "C") return L"正确答案为:3";
    return std::nullopt;
}

std::wstring GivenAnswerText(int code) { return L"你的答案是:" + std::to_wstring(code); }
