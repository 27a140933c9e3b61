#include <gtest/gtest.h>

#include "drill/answer_codes.h"

TEST(AnswerCodes, StoredAnswersAreComparedTrimmed) {
    EXPECT_EQ(JudgeAnswer(1, "A"), 1);
    EXPECT_EQ(JudgeAnswer(1, "A "), 1);
    EXPECT_EQ(JudgeAnswer(2, " B\t"), 1);
    EXPECT_EQ(JudgeAnswer(3, "B"), 2);
    EXPECT_EQ(JudgeAnswer(2, "C"), 2);
    // Outside A-C nothing can be judged; lower case is not an answer either.
    EXPECT_EQ(JudgeAnswer(1, "D"), 0);
    EXPECT_EQ(JudgeAnswer(1, "a"), 0);
    EXPECT_EQ(JudgeAnswer(1, ""), 0);
    EXPECT_EQ(JudgeAnswer(1, "AB"), 0);
}

TEST(AnswerCodes, CorrectAnswerTextsAndGivenAnswerTexts) {
    EXPECT_EQ(CorrectAnswerText("A").value(), L"正确答案为:1");
    EXPECT_EQ(CorrectAnswerText("B ").value(), L"正确答案为:2");
    EXPECT_EQ(CorrectAnswerText(" C").value(), L"正确答案为:3");
    EXPECT_FALSE(CorrectAnswerText("X").has_value());
    EXPECT_FALSE(CorrectAnswerText("").has_value());
    EXPECT_EQ(GivenAnswerText(2), L"你的答案是:2");
}

TEST(AnswerCodes, ThreeOptionsOnlyWithANonBlankC) {
    EXPECT_TRUE(IsThreeOptionQuestion("保持车距"));
    EXPECT_FALSE(IsThreeOptionQuestion(""));
    EXPECT_FALSE(IsThreeOptionQuestion("   "));
    EXPECT_FALSE(IsThreeOptionQuestion(" \t\r\n"));
    EXPECT_EQ(TrimBlanks("  1.1.1.1 \r"), "1.1.1.1");
}

TEST(AnswerCodes, KeysAndLetters) {
    EXPECT_EQ(AnswerCodeOfKey(L'1'), 1);
    EXPECT_EQ(AnswerCodeOfKey(L'3'), 3);
    EXPECT_EQ(AnswerCodeOfKey(L'4'), 0);
    EXPECT_EQ(AnswerCodeOfKey(L'0'), 0);
    EXPECT_EQ(AnswerLetter(1), 'A');
    EXPECT_EQ(AnswerLetter(3), 'C');
    EXPECT_EQ(AnswerLetter(4), 0);
}
